// Resource ids of the rename-series dialog (range 2000-2999). Shared by the resource compiler
// and the C++ code, so only plain #defines live here.
#pragma once

#define IDD_RENAME_SERIES 2000

#define IDC_RENAME_BEVEL 2001
#define IDC_RENAME_TEMPLATE_LABEL 2002
#define IDC_RENAME_TEMPLATE 2003
#define IDC_RENAME_START_LABEL 2004
#define IDC_RENAME_START 2005
#define IDC_RENAME_START_UPDOWN 2006
#define IDC_RENAME_HINT 2007
#define IDC_RENAME_FROM_CLIPBOARD 2008
#define IDC_RENAME_OLD_LABEL 2009
#define IDC_RENAME_OLD 2010
#define IDC_RENAME_NEW_LABEL 2011
#define IDC_RENAME_NEW 2012
#define IDC_RENAME_UP 2013
#define IDC_RENAME_DOWN 2014
// Not IDOK: Enter, which the dialog manager turns into IDOK, must press no button.
#define IDC_RENAME_OK 2015
