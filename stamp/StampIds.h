// Resource identifiers of the time-stamp dialog (3000-3999). The fields' edits and spins are
// numbered in field order (day, month, year, hour, minute, second).
#pragma once

#define IDD_STAMP 3000

#define IDC_STAMP_LABEL_FIRST 3001  /* LabelDen .. LabelSec: 3001-3006 */
#define IDC_STAMP_EDIT_FIRST 3011   /* EditDen .. EditSec: 3011-3016 */
#define IDC_STAMP_UPDOWN_FIRST 3021 /* UpDownDen .. UpDownSec: 3021-3026 */

#define IDC_STAMP_EDIT_DAY 3011
#define IDC_STAMP_EDIT_MONTH 3012
#define IDC_STAMP_EDIT_YEAR 3013
#define IDC_STAMP_EDIT_HOUR 3014
#define IDC_STAMP_EDIT_MINUTE 3015
#define IDC_STAMP_EDIT_SECOND 3016
#define IDC_STAMP_UPDOWN_DAY 3021
#define IDC_STAMP_UPDOWN_MONTH 3022
#define IDC_STAMP_UPDOWN_YEAR 3023
#define IDC_STAMP_UPDOWN_HOUR 3024
#define IDC_STAMP_UPDOWN_MINUTE 3025
#define IDC_STAMP_UPDOWN_SECOND 3026

#define IDC_STAMP_CREATED 3031  /* CheckBoxVytvoreno */
#define IDC_STAMP_MODIFIED 3032 /* CheckBoxZmeneno */
#define IDC_STAMP_ACCESSED 3033 /* CheckBoxOtevreno */

#define IDC_STAMP_NOW 3041
/* Not IDOK: the dialog has no default button, so the Enter key that the dialog manager turns
   into IDOK must not press it. Cancel is IDCANCEL, so that Esc and the close box press it. */
#define IDC_STAMP_OK 3042

#define IDC_STAMP_BEVEL 3051
#define IDC_STAMP_TYPE_LABEL 3052 /* Label1 */
