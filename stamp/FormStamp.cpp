#include "FormStamp.h"

#include "StampDate.h"
#include "StampIds.h"
#include "common/ModalResult.h"
#include "platform/LocalTime.h"
#include "platform/Text.h"
#include "strings/Messages.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

constexpr StampField kFields[kStampFieldCount] = {StampField::Day,    StampField::Month,
                                                  StampField::Year,   StampField::Hour,
                                                  StampField::Minute, StampField::Second};
constexpr int kMaxLength[kStampFieldCount] = {2, 2, 4, 2, 2, 2};

int IndexOf(StampField field) {
    return static_cast<int>(field);
}

bool IsFieldId(int id, int first) {
    return id >= first && id < first + kStampFieldCount;
}

void SetItemText(HWND dialog, int id, unsigned textId) {
    ::SetDlgItemTextW(dialog, id, LoadText(textId).c_str());
}

} // namespace

int TFormStamp::ShowModal() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    closing_ = false;
    return ShowModalDialog(IDD_STAMP) == mrOk ? mrOk : mrCancel;
}

LRESULT CALLBACK TFormStamp::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self) {
    // The dialog manager would turn Enter into IDOK before the field saw it.
    if (message == WM_GETDLGCODE && lParam != 0 &&
        reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN) {
        return ::DefSubclassProc(edit, message, wParam, lParam) | DLGC_WANTMESSAGE;
    }
    if (message == WM_CHAR &&
        reinterpret_cast<TFormStamp*>(self)->EditKeyPress(static_cast<wchar_t>(wParam))) {
        return 0;
    }
    return ::DefSubclassProc(edit, message, wParam, lParam);
}

INT_PTR TFormStamp::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitControls();
        FormShow();
        ::SendMessageW(Window(), WM_NEXTDLGCTL,
                       reinterpret_cast<WPARAM>(::GetDlgItem(Window(), IDC_STAMP_OK)), TRUE);
        return FALSE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY: {
        const auto* arrow = reinterpret_cast<const NMUPDOWN*>(lParam);
        const int id = static_cast<int>(arrow->hdr.idFrom);
        if (arrow->hdr.code != UDN_DELTAPOS || !IsFieldId(id, IDC_STAMP_UPDOWN_FIRST)) {
            return FALSE;
        }
        // The control's own wrap misses the far limit of a field stepping by 2 (0 down to 57,
        // not 58), so every arrow is done here and the control's move is refused.
        UpDownDenClick(kFields[id - IDC_STAMP_UPDOWN_FIRST], arrow->iDelta > 0);
        ::SetWindowLongPtrW(Window(), DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void TFormStamp::OnCommand(int id, int code) {
    if (IsFieldId(id, IDC_STAMP_EDIT_FIRST)) {
        if (code == EN_KILLFOCUS) {
            EditExit(kFields[id - IDC_STAMP_EDIT_FIRST]);
        }
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
    case IDC_STAMP_NOW:
        ButtonNowClick();
        break;
    case IDC_STAMP_OK:
        ButtonOKClick();
        break;
    case IDCANCEL:
        ButtonCancelClick();
        break;
    default:
        break;
    }
}

void TFormStamp::InitControls() {
    static const wchar_t* const kStartText[kStampFieldCount] = {L"1", L"1", L"2000",
                                                                L"0", L"0", L"0"};
    ::SetWindowTextW(Window(), LoadText(IDS_STAMP_CAPTION).c_str());
    for (StampField field : kFields) {
        const int index = IndexOf(field);
        SetItemText(Window(), IDC_STAMP_LABEL_FIRST + index, IDS_STAMP_DAY + index);
        const FieldLimits limits = LimitsOf(field);
        ::SendMessageW(UpDown(field), UDM_SETRANGE32, limits.min, limits.max);
        ::SendMessageW(Edit(field), EM_LIMITTEXT, kMaxLength[index], 0);
        ::SetWindowTextW(Edit(field), kStartText[index]);
        ::SetWindowSubclass(Edit(field), EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    SetItemText(Window(), IDC_STAMP_TYPE_LABEL, IDS_STAMP_TYPE);
    SetItemText(Window(), IDC_STAMP_CREATED, IDS_STAMP_CREATED);
    SetItemText(Window(), IDC_STAMP_MODIFIED, IDS_STAMP_MODIFIED);
    SetItemText(Window(), IDC_STAMP_ACCESSED, IDS_STAMP_ACCESSED);
    SetItemText(Window(), IDC_STAMP_NOW, IDS_STAMP_NOW);
    SetItemText(Window(), IDC_STAMP_OK, IDS_BUTTON_OK);
    SetItemText(Window(), IDCANCEL, IDS_BUTTON_CANCEL);
    for (int id : {IDC_STAMP_CREATED, IDC_STAMP_MODIFIED, IDC_STAMP_ACCESSED}) {
        ::CheckDlgButton(Window(), id, BST_CHECKED);
    }
}

void TFormStamp::FormShow() {
    CheckAllFields();
}

bool TFormStamp::EditKeyPress(wchar_t key) {
    if (key != L'\r') {
        return false;
    }
    // Moving the focus makes the field lose it, so its check runs.
    ::SendMessageW(Window(), WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(::GetDlgItem(Window(), IDC_STAMP_OK)), TRUE);
    return true;
}

void TFormStamp::EditExit(StampField field) {
    if (!closing_) {
        CheckField(field);
    }
}

void TFormStamp::UpDownDenClick(StampField field, bool up) {
    const int next = StepWrapped(field, Position(field), up);
    ::SendMessageW(UpDown(field), UDM_SETPOS32, 0, next);
    CheckField(field);
}

void TFormStamp::ButtonNowClick() {
    const SYSTEMTIME now = LocalNow();
    const int values[kStampFieldCount] = {now.wDay,  now.wMonth,  now.wYear,
                                          now.wHour, now.wMinute, now.wSecond / 2 * 2};
    for (StampField field : kFields) {
        SetFieldText(field, std::to_wstring(values[IndexOf(field)]));
    }
    CheckAllFields();
}

void TFormStamp::ButtonOKClick() {
    // A click that took the focus from a field has run its check already; this covers a
    // press that did not move the focus.
    CheckAllFields();
    const int day = Position(StampField::Day);
    const int month = Position(StampField::Month);
    const int year = Position(StampField::Year);
    if (!IsValidDate(year, month, day)) {
        ShowInformation(IDS_STAMP_ILLEGAL_DATE);
        return;
    }
    choice_.day = day;
    choice_.month = month;
    choice_.year = year;
    choice_.hour = Position(StampField::Hour);
    choice_.minute = Position(StampField::Minute);
    choice_.second = Position(StampField::Second);
    choice_.created = ::IsDlgButtonChecked(Window(), IDC_STAMP_CREATED) == BST_CHECKED;
    choice_.modified = ::IsDlgButtonChecked(Window(), IDC_STAMP_MODIFIED) == BST_CHECKED;
    choice_.accessed = ::IsDlgButtonChecked(Window(), IDC_STAMP_ACCESSED) == BST_CHECKED;
    closing_ = true;
    ::EndDialog(Window(), mrOk);
}

void TFormStamp::ButtonCancelClick() {
    closing_ = true;
    ::EndDialog(Window(), mrCancel);
}

void TFormStamp::CheckField(StampField field) {
    const int index = IndexOf(field);
    wchar_t typed[32] = {};
    ::GetWindowTextW(Edit(field), typed, static_cast<int>(std::size(typed)));
    const auto checked = CheckFieldText(field, typed);
    if (!checked) {
        SetFieldText(field, lastGoodText_[index]);
        return;
    }
    ::SendMessageW(UpDown(field), UDM_SETPOS32, 0, checked->position);
    SetFieldText(field, checked->text);
    lastGoodText_[index] = checked->text;
}

void TFormStamp::CheckAllFields() {
    for (StampField field : kFields) {
        CheckField(field);
    }
}

HWND TFormStamp::Edit(StampField field) const {
    return Item(IDC_STAMP_EDIT_FIRST + IndexOf(field));
}

HWND TFormStamp::UpDown(StampField field) const {
    return Item(IDC_STAMP_UPDOWN_FIRST + IndexOf(field));
}

// The number the field shows when it is readable and within the limits, else the position
// last set.
int TFormStamp::Position(StampField field) const {
    return static_cast<int>(::SendMessageW(UpDown(field), UDM_GETPOS32, 0, 0));
}

void TFormStamp::SetFieldText(StampField field, const std::wstring& text) {
    ::SetWindowTextW(Edit(field), text.c_str());
}

} // namespace tarvix
