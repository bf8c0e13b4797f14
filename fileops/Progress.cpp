#include "Progress.h"

#include "ProgressText.h"
#include "ReplaceQuestion.h"
#include "fileops/ProgressIds.h"
#include "platform/MessagePump.h"
#include "platform/Module.h"
#include "platform/Text.h"
#include "strings/Messages.h"
#include "strings/RSUnit.h"

#include <algorithm>

namespace tarvix {
namespace {

constexpr int kEditLimit = 256;
// Objects follow each other faster than anyone can read them, and under Wine every repaint of
// a control costs about a millisecond, more than copying a small file.
constexpr ULONGLONG kRepaintIntervalMs = 250;
// How often the thread looks at its queue while it works: far inside the five seconds after
// which the system marks its windows "Not Responding", and soon enough for Cancel.
constexpr ULONGLONG kPaceIntervalMs = 100;
constexpr ULONGLONG kTimeLeftIntervalMs = 1000;
constexpr int kFileBarRange = 1000;

void Repaint(HWND window) {
    if (window != nullptr) {
        ::UpdateWindow(window);
    }
}

unsigned SizeTextId(ByteUnit unit) {
    switch (unit) {
    case ByteUnit::Bytes:
        return IDS_SIZE_BYTES;
    case ByteUnit::KB:
        return IDS_SIZE_KB;
    case ByteUnit::MB:
        return IDS_SIZE_MB;
    case ByteUnit::GB:
        return IDS_SIZE_GB;
    case ByteUnit::TB:
        break;
    }
    return IDS_SIZE_TB;
}

std::wstring SizeText(std::uint64_t bytes) {
    const ReadableSize size = ReadableSizeOf(bytes);
    return FormatText(SizeTextId(size.unit), {size.number});
}

std::wstring TimeLeftText(const TimeLeft& left) {
    const std::wstring amount = std::to_wstring(left.amount);
    switch (left.unit) {
    case TimeUnit::Seconds:
        return FormatText(IDS_LEFT_SECONDS, {amount});
    case TimeUnit::Minutes:
        return left.amount == 1 ? LoadText(IDS_LEFT_MINUTE)
                                : FormatText(IDS_LEFT_MINUTES, {amount});
    case TimeUnit::Hours:
        break;
    }
    return left.amount == 1 ? LoadText(IDS_LEFT_HOUR) : FormatText(IDS_LEFT_HOURS, {amount});
}

unsigned MessageTextId(EngineMessage message) {
    switch (message) {
    case EngineMessage::FolderExists:
        return IDS_FOLDER_EXISTS;
    case EngineMessage::FileProtected:
        return IDS_FILE_PROTECTED;
    case EngineMessage::WriteError:
        return IDS_WRITE_ERROR;
    case EngineMessage::RemoveError:
        break;
    }
    return IDS_REMOVE_ERROR;
}

} // namespace

TFormProgress::TFormProgress() : window_(CreateModelessDialog(IDD_PROGRESS)) {}

TFormProgress::~TFormProgress() = default;

INT_PTR TFormProgress::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    const HWND window = Window();
    switch (message) {
    case WM_INITDIALOG:
        ::SetDlgItemTextW(window, IDC_GROUP_ZDROJ, LoadText(IDS_GROUP_SOURCE).c_str());
        ::SetDlgItemTextW(window, IDC_GROUP_CIL, LoadText(IDS_GROUP_DESTINATION).c_str());
        ::SetDlgItemTextW(window, IDCANCEL, LoadText(IDS_BUTTON_CANCEL).c_str());
        ::SendDlgItemMessageW(window, IDC_EDIT_ZDROJ, EM_LIMITTEXT, kEditLimit, 0);
        ::SendDlgItemMessageW(window, IDC_EDIT_CIL, EM_LIMITTEXT, kEditLimit, 0);
        ::SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
        ::SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETSTEP, 1, 0);
        ::SendDlgItemMessageW(window, IDC_FILE_BAR, PBM_SETRANGE32, 0, kFileBarRange);
        return FALSE;
    case WM_COMMAND:
        // Cancel, Esc; Enter does nothing.
        if (LOWORD(wParam) == IDCANCEL) {
            StopRequested();
        }
        return LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK;
    case WM_CLOSE: // Alt+F4
        StopRequested();
        return TRUE;
    default:
        return FALSE;
    }
}

void TFormProgress::StopRequested() {
    stopRequested_ = true;
    ::EnableWindow(::GetDlgItem(Handle(), IDCANCEL), FALSE);
}

void TFormProgress::SetCaption(const std::wstring& caption) {
    ::SetWindowTextW(Handle(), caption.c_str());
}

void TFormProgress::SetDestinationGroupCaption(const std::wstring& caption) {
    ::SetDlgItemTextW(Handle(), IDC_GROUP_CIL, caption.c_str());
}

void TFormProgress::ShowDestinationNow(const std::wstring& text) {
    destination_ = text;
    destinationStale_ = true;
    PutChangesOnControls();
    Repaint(::GetDlgItem(Handle(), IDC_EDIT_CIL));
}

void TFormProgress::SetMax(int max) {
    max_ = max;
    position_ = std::min(position_, max_);
    ::SendDlgItemMessageW(Handle(), IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, max);
    barStale_ = true;
}

void TFormProgress::Begin(std::size_t count) {
    count_ = count;
    objectsDone_ = 0;
    SetMax(static_cast<int>(count) + 1);
    PutChangesOnControls();
    ::ShowWindow(Handle(), SW_SHOW);
    Step();
    startedAt_ = ::GetTickCount64();
    pacedAt_ = startedAt_;
    running_ = true;
}

// Texts and bar position are taken at once and put on screen by the repaints, as the system
// itself would paint them only at the next update: under Wine every change of a control is
// painted at once and costs about half a millisecond, more than copying a small file.
bool TFormProgress::ShowObject(std::size_t index, std::size_t count, const std::wstring& source,
                               const std::optional<std::wstring>& destination) {
    source_ = source;
    sourceStale_ = true;
    if (destination) {
        destination_ = *destination;
        destinationStale_ = true;
    }
    objectsDone_ = index;
    count_ = count;
    bytesDone_ = 0;
    bytesTotal_ = 0;
    countStale_ = true;
    bytesStale_ = true;
    const ULONGLONG now = ::GetTickCount64();
    if (index == 0 || index + 1 == count || now - paintedAt_ >= kRepaintIntervalMs) {
        RepaintWindow();
        paintedAt_ = now;
        return true;
    }
    Pace();
    return false;
}

// Clamped at the maximum (the bar's own step would wrap around to the minimum).
void TFormProgress::Step() {
    position_ = std::min(position_ + 1, max_);
    barStale_ = true;
}

void TFormProgress::Finish() {
    objectsDone_ = count_;
    running_ = false;
    PutChangesOnControls();
    Repaint(::GetDlgItem(Handle(), IDC_PROGRESS_BAR));
}

bool TFormProgress::AskProceed(const std::wstring& source) {
    RepaintWindow();
    return ShowMessage(MessageKind::Error, MessageButtons::YesNo,
                       FormatText(IDS_OBJECT_MISSING, {source})) == IDYES;
}

int TFormProgress::AskReplace(const std::wstring& destination) {
    RepaintWindow();
    return AskYesNoCancelAll(FormatText(IDS_FILE_EXISTS, {destination}));
}

void TFormProgress::Report(EngineMessage message, const std::wstring& first,
                           const std::wstring& second) {
    RepaintWindow();
    ShowMessage(MessageKind::Error, MessageButtons::Ok,
                FormatText(MessageTextId(message), {first, second}));
}

void TFormProgress::Tick(std::uint64_t bytesDone, std::uint64_t bytesTotal) {
    bytesDone_ = bytesDone;
    bytesTotal_ = bytesTotal;
    bytesStale_ = true;
    Pace();
}

bool TFormProgress::ShouldStop() {
    Pace();
    return stopRequested_;
}

void TFormProgress::Pace() {
    const ULONGLONG now = ::GetTickCount64();
    if (now - pacedAt_ < kPaceIntervalMs) {
        return;
    }
    pacedAt_ = now;
    if (PumpWindowMessages(Handle())) {
        StopRequested(); // the shell is closing: the batch stops as if the user had cancelled
    }
    if (now - paintedAt_ >= kRepaintIntervalMs) {
        UpdateCountAndTimeLeft(now);
        RepaintWindow();
        paintedAt_ = now;
    }
}

void TFormProgress::UpdateCountAndTimeLeft(unsigned long long now) {
    if (!running_ || now - timeLeftAt_ < kTimeLeftIntervalMs) {
        return;
    }
    timeLeftAt_ = now;
    const double done = BatchFraction(objectsDone_, count_, bytesDone_, bytesTotal_);
    if (const std::optional<TimeLeft> left = EstimateTimeLeft(now - startedAt_, done)) {
        ShowText(IDC_PROGRESS_TIME_LEFT, TimeLeftText(*left), shownTimeLeft_);
    }
}

void TFormProgress::PutChangesOnControls() {
    const HWND window = Handle();
    if (sourceStale_) {
        ::SetDlgItemTextW(window, IDC_EDIT_ZDROJ, source_.c_str());
        sourceStale_ = false;
    }
    if (destinationStale_) {
        ::SetDlgItemTextW(window, IDC_EDIT_CIL, destination_.c_str());
        destinationStale_ = false;
    }
    if (barStale_) {
        ::SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETPOS, position_, 0);
        barStale_ = false;
    }
    if (countStale_ && count_ > 0) {
        ShowText(IDC_PROGRESS_COUNT,
                 FormatText(IDS_PROGRESS_OF, {std::to_wstring(std::min(objectsDone_ + 1, count_)),
                                              std::to_wstring(count_)}),
                 shownCount_);
        countStale_ = false;
    }
    if (bytesStale_) {
        const bool large = bytesTotal_ >= kLargeFileSize;
        ShowText(IDC_PROGRESS_BYTES,
                 large ? FormatText(IDS_PROGRESS_OF, {SizeText(bytesDone_), SizeText(bytesTotal_)})
                       : std::wstring(),
                 shownBytes_);
        const HWND fileBar = ::GetDlgItem(window, IDC_FILE_BAR);
        if (large) {
            const auto part = static_cast<int>(bytesDone_ * kFileBarRange / bytesTotal_);
            ::SendMessageW(fileBar, PBM_SETPOS, static_cast<WPARAM>(part), 0);
        }
        if ((::IsWindowVisible(fileBar) != FALSE) != large) {
            ::ShowWindow(fileBar, large ? SW_SHOWNA : SW_HIDE);
        }
        bytesStale_ = false;
    }
}

// Every change of a control's text costs a repaint of it; an unchanged text costs none.
void TFormProgress::ShowText(int control, const std::wstring& text, std::wstring& shown) {
    if (text != shown) {
        ::SetDlgItemTextW(Handle(), control, text.c_str());
        shown = text;
    }
}

// The edits are child windows: their new texts are painted together with the frame.
void TFormProgress::RepaintWindow() {
    PutChangesOnControls();
    if (Handle() != nullptr) {
        ::RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

} // namespace tarvix
