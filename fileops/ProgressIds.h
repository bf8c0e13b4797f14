// Resource identifiers of the progress window (range 1000-1999 belongs to this module).
#pragma once

#define IDD_PROGRESS 1000
#define IDC_GROUP_ZDROJ 1001
#define IDC_EDIT_ZDROJ 1002
#define IDC_GROUP_CIL 1003
#define IDC_EDIT_CIL 1004
#define IDC_PROGRESS_BAR 1005
#define IDC_FILE_BAR 1006
#define IDC_PROGRESS_COUNT 1007
#define IDC_PROGRESS_BYTES 1008
#define IDC_PROGRESS_TIME_LEFT 1009
