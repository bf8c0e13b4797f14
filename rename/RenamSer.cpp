#include "RenamSer.h"

#include "ClipboardNames.h"
#include "NameConflict.h"
#include "RenamSerIds.h"
#include "SeriesTemplate.h"
#include "common/IntegerText.h"
#include "common/ModalResult.h"
#include "platform/CaseConversion.h"
#include "platform/Clipboard.h"
#include "platform/Handles.h"
#include "platform/Module.h"
#include "platform/Text.h"
#include "strings/Messages.h"
#include "strings/RSUnit.h"

#include <algorithm>
#include <utility>

namespace tarvix {
namespace {

// Pixel sizes at 96 dots per inch, scaled to the system's DPI when used.
constexpr int kItemHeight = 13;
constexpr int kHorizontalExtent = 2048;
constexpr int kNewNamesFontHeight = -11;
constexpr int kTemplateMaxLength = 255;
constexpr int kStartMaxLength = 5;

int ScaledPixels(HWND window, int pixelsAt96Dpi) {
    const WindowDC context(window);
    const int dpi = context.Get() != nullptr ? ::GetDeviceCaps(context.Get(), LOGPIXELSY) : 96;
    return ::MulDiv(pixelsAt96Dpi, dpi > 0 ? dpi : 96, 96);
}

struct ControlText {
    int id;
    unsigned textId;
};

constexpr ControlText kControlTexts[] = {
    {IDC_RENAME_TEMPLATE_LABEL, IDS_RENAME_TEMPLATE_LABEL},
    {IDC_RENAME_START_LABEL, IDS_RENAME_START_LABEL},
    {IDC_RENAME_HINT, IDS_RENAME_HINT},
    {IDC_RENAME_FROM_CLIPBOARD, IDS_RENAME_FROM_CLIPBOARD},
    {IDC_RENAME_OLD_LABEL, IDS_RENAME_OLD_NAMES},
    {IDC_RENAME_NEW_LABEL, IDS_RENAME_NEW_NAMES},
    {IDC_RENAME_UP, IDS_RENAME_UP},
    {IDC_RENAME_DOWN, IDS_RENAME_DOWN},
    {IDC_RENAME_OK, IDS_BUTTON_OK},
    {IDCANCEL, IDS_BUTTON_CANCEL},
};

// Disabled together in clipboard mode.
constexpr int kTemplateControls[] = {IDC_RENAME_TEMPLATE,     IDC_RENAME_START,
                                     IDC_RENAME_START_UPDOWN, IDC_RENAME_TEMPLATE_LABEL,
                                     IDC_RENAME_START_LABEL,  IDC_RENAME_HINT};

std::wstring TextOf(HWND control) {
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

// Refills a list with redraw off, keeping its selection and scroll position: replacing items
// one by one would move the whole item array each time.
void FillListBox(HWND list, const std::vector<std::wstring>& items) {
    const LRESULT selected = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
    const LRESULT top = ::SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    std::size_t bytes = 0;
    for (const std::wstring& item : items) {
        bytes += (item.size() + 1) * sizeof(wchar_t);
    }
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    ::SendMessageW(list, LB_INITSTORAGE, items.size(), static_cast<LPARAM>(bytes));
    for (const std::wstring& item : items) {
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    if (selected != LB_ERR) {
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    }
    ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

void ReplaceListItem(HWND list, int index, const std::wstring& text) {
    ::SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    ::SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace

TFormRenamSer::TFormRenamSer(std::wstring defaultTemplate, std::vector<std::wstring> oldNames)
    : defaultTemplate_(std::move(defaultTemplate)), oldNames_(std::move(oldNames)) {}

TFormRenamSer::~TFormRenamSer() = default;

int TFormRenamSer::ShowModal() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&controls);
    return ShowModalDialog(IDD_RENAME_SERIES) == mrOk ? mrOk : mrCancel;
}

INT_PTR TFormRenamSer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitDialog();
        return FALSE; // the focus is set
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CTLCOLORLISTBOX:
        if (reinterpret_cast<HWND>(lParam) == Item(IDC_RENAME_NEW)) {
            const HDC context = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(context, ::GetSysColor(COLOR_GRAYTEXT));
            ::SetBkColor(context, ::GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_WINDOW));
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void TFormRenamSer::InitDialog() {
    // Message boxes of the dialog belong to it, so the user cannot reach it behind them.
    SetOwnerWindow(Window());
    ::SetWindowTextW(Window(), LoadText(IDS_RENAME_CAPTION).c_str());
    for (const ControlText& control : kControlTexts) {
        ::SetWindowTextW(Item(control.id), LoadText(control.textId).c_str());
    }
    ::SendMessageW(Item(IDC_RENAME_TEMPLATE), EM_LIMITTEXT, kTemplateMaxLength, 0);
    ::SendMessageW(Item(IDC_RENAME_START), EM_LIMITTEXT, kStartMaxLength, 0);
    for (const int list : {IDC_RENAME_OLD, IDC_RENAME_NEW}) {
        ::SendMessageW(Item(list), LB_SETITEMHEIGHT, 0, ScaledPixels(Window(), kItemHeight));
        ::SendMessageW(Item(list), LB_SETHORIZONTALEXTENT,
                       ScaledPixels(Window(), kHorizontalExtent), 0);
    }
    newNamesFont_.Reset(::CreateFontW(ScaledPixels(Window(), kNewNamesFontHeight), 0, 0, 0,
                                      FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
    ::SendMessageW(Item(IDC_RENAME_NEW), WM_SETFONT, reinterpret_cast<WPARAM>(newNamesFont_.Get()),
                   FALSE);

    // The default template is taken while the old-name list is still empty; the names are
    // computed once the start number is in place.
    std::vector<std::wstring> oldNames = std::move(oldNames_);
    oldNames_.clear();
    ::SetWindowTextW(Item(IDC_RENAME_TEMPLATE), defaultTemplate_.c_str());
    oldNames_ = std::move(oldNames);
    FillListBox(Item(IDC_RENAME_OLD), oldNames_);

    const HWND upDown = Item(IDC_RENAME_START_UPDOWN);
    ::SendMessageW(upDown, UDM_SETRANGE32, kLowestStartNumber, kHighestStartNumber);
    writingStart_ = true;
    ::SendMessageW(upDown, UDM_SETPOS32, 0, 1);
    writingStart_ = false;
    ::SetWindowTextW(Item(IDC_RENAME_START), L"1"); // raises EditStartChange
    ::SetFocus(Item(IDC_RENAME_TEMPLATE));
}

void TFormRenamSer::Command(int id, int code) {
    if (id == IDC_RENAME_TEMPLATE && code == EN_CHANGE) {
        EditTemplateChange();
    } else if (id == IDC_RENAME_START && code == EN_CHANGE) {
        EditStartChange();
    } else if (code == BN_CLICKED) {
        switch (id) {
        case IDC_RENAME_FROM_CLIPBOARD:
            CheckBoxFromClipboardClick();
            break;
        case IDC_RENAME_UP:
            ButtonUpClick();
            break;
        case IDC_RENAME_DOWN:
            ButtonDownClick();
            break;
        case IDC_RENAME_OK:
            ButtonOKClick();
            break;
        case IDCANCEL: // the Cancel button, Esc and the close box
            ::EndDialog(Window(), mrCancel);
            break;
        default:
            break; // IDOK from Enter: no button is the default one
        }
    }
}

void TFormRenamSer::EditTemplateChange() {
    const HWND edit = Item(IDC_RENAME_TEMPLATE);
    const std::wstring text = TextOf(edit);
    if (AcceptableTemplate(text)) {
        FTemplate = text;
        UpdateNewNames();
        return;
    }
    DWORD caret = 0;
    ::SendMessageW(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    const std::size_t inserted =
        text.size() > FTemplate.size() ? text.size() - FTemplate.size() : 0;
    // Raises this handler again, which takes the accepted template once more.
    ::SetWindowTextW(edit, FTemplate.c_str());
    const std::size_t position = caret > inserted ? caret - inserted : 0;
    const WPARAM back = std::min(position, FTemplate.size());
    ::SendMessageW(edit, EM_SETSEL, back, static_cast<LPARAM>(back));
}

void TFormRenamSer::EditStartChange() {
    if (writingStart_) {
        return; // the dialog's own write of a number it has taken already
    }
    const std::wstring text = TextOf(Item(IDC_RENAME_START));
    const std::optional<int> number = ReadStartNumber(text);
    if (!number) {
        WriteStartText(FStartNumber);
        return;
    }
    const HWND upDown = Item(IDC_RENAME_START_UPDOWN);
    if (::SendMessageW(upDown, UDM_GETPOS32, 0, 0) != *number) {
        writingStart_ = true;
        ::SendMessageW(upDown, UDM_SETPOS32, 0, *number);
        writingStart_ = false;
    }
    if (ReadIntegerText(text) != *number) {
        WriteStartText(*number); // a text outside 0..32767 shows the limit it ended at
    }
    FStartNumber = *number;
    UpdateNewNames();
}

void TFormRenamSer::CheckBoxFromClipboardClick() {
    if (::IsDlgButtonChecked(Window(), IDC_RENAME_FROM_CLIPBOARD) != BST_CHECKED) {
        EnableTemplateControls(true);
        UpdateNewNames();
        return;
    }
    if (!ClipboardHasText()) {
        LeaveClipboardMode();
        ShowInformation(IDS_RENAME_NO_CLIPBOARD_TEXT);
        return;
    }
    const std::optional<std::wstring> text = ReadClipboardText();
    if (!text) {
        LeaveClipboardMode();
        ShowError(IDS_CLIPBOARD_OPEN_ERROR);
        return;
    }
    const std::vector<std::wstring> lines = SplitLines(*text);
    if (lines.size() != oldNames_.size()) {
        LeaveClipboardMode();
        ShowInformation(IDS_RENAME_WRONG_ROW_COUNT);
        return;
    }
    std::vector<std::wstring> names = NamesFromLines(lines, oldNames_);
    if (!LinesAreBareNames(lines) || FirstNameNotAllowed(names, oldNames_)) {
        LeaveClipboardMode();
        ShowInformation(IDS_RENAME_LINE_NOT_A_NAME);
        return;
    }
    ShowNewNames(std::move(names));
    EnableTemplateControls(false);
}

void TFormRenamSer::ButtonUpClick() {
    const LRESULT selected = ::SendMessageW(Item(IDC_RENAME_OLD), LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || selected <= 0) {
        return;
    }
    ExchangeOldNames(static_cast<int>(selected), static_cast<int>(selected) - 1);
}

void TFormRenamSer::ButtonDownClick() {
    const LRESULT selected = ::SendMessageW(Item(IDC_RENAME_OLD), LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || static_cast<std::size_t>(selected) + 1 >= oldNames_.size()) {
        return;
    }
    ExchangeOldNames(static_cast<int>(selected), static_cast<int>(selected) + 1);
}

void TFormRenamSer::ButtonOKClick() {
    if (NamesConflict(newNames_, oldNames_, LowerCase)) {
        ShowInformation(IDS_RENAME_CONFLICT);
        return;
    }
    if (const std::optional<std::size_t> refused = FirstNameNotAllowed(newNames_, oldNames_)) {
        ShowMessage(MessageKind::Information, MessageButtons::Ok,
                    FormatText(IDS_RENAME_NAME_NOT_ALLOWED, {newNames_[*refused]}));
        return;
    }
    ::EndDialog(Window(), mrOk);
}

void TFormRenamSer::UpdateNewNames() {
    if (::IsDlgButtonChecked(Window(), IDC_RENAME_FROM_CLIPBOARD) == BST_CHECKED ||
        !TemplateComputesNames(FTemplate)) {
        return;
    }
    ShowNewNames(SeriesNames(FTemplate, FStartNumber, oldNames_));
}

void TFormRenamSer::LeaveClipboardMode() {
    ::CheckDlgButton(Window(), IDC_RENAME_FROM_CLIPBOARD, BST_UNCHECKED);
    CheckBoxFromClipboardClick(); // a change by the program runs the handler too
}

void TFormRenamSer::EnableTemplateControls(bool enable) {
    for (const int id : kTemplateControls) {
        ::EnableWindow(Item(id), enable ? TRUE : FALSE);
    }
}

void TFormRenamSer::ShowNewNames(std::vector<std::wstring> names) {
    if (names == newNames_) {
        return;
    }
    newNames_ = std::move(names);
    FillListBox(Item(IDC_RENAME_NEW), newNames_);
}

// Exchanges two old names, moves the selection with the name and renumbers.
void TFormRenamSer::ExchangeOldNames(int selected, int other) {
    std::swap(oldNames_[static_cast<std::size_t>(selected)],
              oldNames_[static_cast<std::size_t>(other)]);
    const HWND list = Item(IDC_RENAME_OLD);
    ReplaceListItem(list, selected, oldNames_[static_cast<std::size_t>(selected)]);
    ReplaceListItem(list, other, oldNames_[static_cast<std::size_t>(other)]);
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(other), 0);
    UpdateNewNames();
}

void TFormRenamSer::WriteStartText(int number) {
    const HWND edit = Item(IDC_RENAME_START);
    const std::wstring text = std::to_wstring(number);
    writingStart_ = true;
    ::SetWindowTextW(edit, text.c_str());
    writingStart_ = false;
    ::SendMessageW(edit, EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
}

} // namespace tarvix
