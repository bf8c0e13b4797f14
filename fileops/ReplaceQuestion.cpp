#include "ReplaceQuestion.h"

#include "platform/DialogFrame.h"
#include "platform/Errors.h"
#include "platform/Handles.h"
#include "platform/Text.h"
#include "platform/Win.h"
#include "strings/RSUnit.h"

#include <algorithm>
#include <vector>

namespace tarvix {
namespace {

// The message text has the id the system's message box gives it, so readers of message
// boxes read this box the same way.
constexpr WORD kTextId = 0xFFFF;
constexpr WORD kIconId = 20;
// IDI_QUESTION, which the headers spell in the ANSI form only.
const LPCWSTR kQuestionIcon = MAKEINTRESOURCEW(32514);
// A dialog template names the system's control classes by these atoms.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;

struct ButtonSpec {
    WORD id;
    unsigned textId;
};
constexpr ButtonSpec kButtons[] = {
    {IDYES, IDS_BUTTON_YES},
    {IDNO, IDS_BUTTON_NO},
    {IDCANCEL, IDS_BUTTON_CANCEL},
    {kAnswerYesToAll, IDS_BUTTON_YES_TO_ALL},
};

// Builds the template in memory: a caption-less frame with the controls at zero size; the
// real layout is made at WM_INITDIALOG, once the texts and the font are known.
class TemplateWriter {
  public:
    void Word(WORD value) { data_.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const wchar_t* text) {
        do {
            Word(static_cast<WORD>(*text));
        } while (*text++ != L'\0');
    }
    void AlignDword() {
        if (data_.size() % 2 != 0) {
            Word(0);
        }
    }
    void Item(DWORD style, WORD id, WORD classAtom) {
        AlignDword();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        for (int i = 0; i < 4; ++i) {
            Word(0);
        }
        Word(id);
        Word(0xFFFF);
        Word(classAtom);
        Text(L"");
        Word(0);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

  private:
    std::vector<WORD> data_;
};

void BuildTemplate(TemplateWriter& writer) {
    const DWORD style = DS_SETFONT | DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    writer.Dword(style);
    writer.Dword(0);
    writer.Word(2 + static_cast<WORD>(std::size(kButtons)));
    for (int i = 0; i < 4; ++i) {
        writer.Word(0);
    }
    writer.Word(0);
    writer.Word(0);
    writer.Text(L"");
    writer.Word(8);
    writer.Text(L"MS Shell Dlg");
    writer.Item(SS_ICON, kIconId, kStaticClass);
    writer.Item(SS_LEFT | SS_NOPREFIX, kTextId, kStaticClass);
    for (const ButtonSpec& button : kButtons) {
        const DWORD kind = button.id == IDYES ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        writer.Item(kind | WS_TABSTOP, button.id, kButtonClass);
    }
}

SIZE TextExtent(HWND control, const std::wstring& text, int maxWidth, UINT format) {
    const WindowDC context(control);
    const SelectedObject font(context.Get(),
                              reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT bounds{0, 0, maxWidth, 0};
    ::DrawTextW(context.Get(), text.c_str(), static_cast<int>(text.size()), &bounds,
                format | DT_CALCRECT);
    return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

// Sizes in dialog units: the box grows with the system's DPI as the windows from templates do.
constexpr int kMarginUnits = 7;
constexpr int kGapUnits = 4;
constexpr int kButtonWidthUnits = 50;
constexpr int kButtonHeightUnits = 14;
constexpr int kTextWidthUnits = 280;
constexpr int kCaptionPaddingUnits = 12;

struct Metrics {
    int margin;
    int gap;
    int buttonWidth;
    int buttonHeight;
    int textWidth;
    int captionPadding;
    int icon;
};

// A length in dialog units as pixels of the box's font: a horizontal unit is a quarter of the
// font's average width, a vertical one an eighth of its height.
int Across(HWND box, int units) {
    RECT length{0, 0, units, 0};
    ::MapDialogRect(box, &length);
    return length.right;
}
int Down(HWND box, int units) {
    RECT length{0, 0, 0, units};
    ::MapDialogRect(box, &length);
    return length.bottom;
}

Metrics MetricsOf(HWND box) {
    return Metrics{Across(box, kMarginUnits),      Across(box, kGapUnits),
                   Across(box, kButtonWidthUnits), Down(box, kButtonHeightUnits),
                   Across(box, kTextWidthUnits),   Across(box, kCaptionPaddingUnits),
                   ::GetSystemMetrics(SM_CXICON)};
}

// The widest caption sets the width of every button.
int ButtonWidth(HWND box, const Metrics& metrics) {
    int width = metrics.buttonWidth;
    for (const ButtonSpec& button : kButtons) {
        HWND control = ::GetDlgItem(box, button.id);
        wchar_t caption[64] = {};
        ::GetWindowTextW(control, caption, static_cast<int>(std::size(caption)));
        width =
            std::max<int>(width, TextExtent(control, caption, 1000, 0).cx + metrics.captionPadding);
    }
    return width;
}

// The owner's monitor, where the question belongs; the nearest one to the box without owner.
RECT WorkAreaFor(HWND box) {
    const HWND owner = ::GetWindow(box, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(owner != nullptr ? owner : box, MONITOR_DEFAULTTONEAREST),
                      &monitor);
    return monitor.rcWork;
}

void CentreOnOwnersMonitor(HWND box, int clientWidth, int clientHeight) {
    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(box, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(box, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const RECT area = WorkAreaFor(box);
    ::MoveWindow(box, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, width, height, FALSE);
}

void LayOut(HWND box, const std::wstring& text) {
    const Metrics metrics = MetricsOf(box);
    HWND textControl = ::GetDlgItem(box, kTextId);
    const SIZE textSize = TextExtent(textControl, text, metrics.textWidth,
                                     DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    const int buttonWidth = ButtonWidth(box, metrics);
    const int buttonCount = static_cast<int>(std::size(kButtons));
    const int buttonsWidth = buttonCount * (buttonWidth + metrics.gap) - metrics.gap;
    const int textLeft = 2 * metrics.margin + metrics.icon;
    const int clientWidth =
        std::max<int>(textLeft + textSize.cx + metrics.margin, buttonsWidth + 2 * metrics.margin);
    const int bodyHeight = std::max<int>(metrics.icon, textSize.cy);
    const int buttonTop = 2 * metrics.margin + bodyHeight;

    ::MoveWindow(::GetDlgItem(box, kIconId), metrics.margin, metrics.margin, metrics.icon,
                 metrics.icon, FALSE);
    ::MoveWindow(textControl, textLeft,
                 metrics.margin + std::max<int>(0, (metrics.icon - textSize.cy) / 2), textSize.cx,
                 textSize.cy, FALSE);
    int left = (clientWidth - buttonsWidth) / 2;
    for (const ButtonSpec& button : kButtons) {
        ::MoveWindow(::GetDlgItem(box, button.id), left, buttonTop, buttonWidth,
                     metrics.buttonHeight, FALSE);
        left += buttonWidth + metrics.gap;
    }
    CentreOnOwnersMonitor(box, clientWidth, buttonTop + metrics.buttonHeight + metrics.margin);
}

class ChoiceBox final : private DialogFrame {
  public:
    explicit ChoiceBox(const std::wstring& text) : text_(text) {}
    INT_PTR Show() {
        TemplateWriter writer;
        BuildTemplate(writer);
        return ShowModalDialog(writer.Get());
    }

  private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM) override {
        switch (message) {
        case WM_INITDIALOG:
            ::SetWindowTextW(Window(), LoadText(IDS_CAPTION_CONFIRM).c_str());
            ::SetDlgItemTextW(Window(), kTextId, text_.c_str());
            for (const ButtonSpec& button : kButtons) {
                ::SetDlgItemTextW(Window(), button.id, LoadText(button.textId).c_str());
            }
            ::SendDlgItemMessageW(Window(), kIconId, STM_SETICON,
                                  reinterpret_cast<WPARAM>(::LoadIconW(nullptr, kQuestionIcon)), 0);
            LayOut(Window(), text_);
            ::SendMessageW(Window(), DM_SETDEFID, IDYES, 0);
            ::SetFocus(Item(IDYES));
            return FALSE;
        case WM_COMMAND:
            for (const ButtonSpec& button : kButtons) {
                if (LOWORD(wParam) == button.id) {
                    ::EndDialog(Window(), button.id);
                    return TRUE;
                }
            }
            return FALSE;
        default:
            return FALSE;
        }
    }

    std::wstring text_;
};

} // namespace

int AskYesNoCancelAll(const std::wstring& text) {
    ChoiceBox box(text);
    INT_PTR answer = IDCANCEL;
    try {
        answer = box.Show();
    } catch (const PlatformFailure&) {
        // Cancel when the box cannot be shown.
    }
    switch (answer) {
    case IDYES:
    case IDNO:
    case kAnswerYesToAll:
        return static_cast<int>(answer);
    default:
        return IDCANCEL;
    }
}

} // namespace tarvix
