#include "Progress.h"

#include "fileops/ProgressIds.h"
#include "platform/Module.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"

#include <algorithm>

namespace tarvix {
namespace {

constexpr int kEditLimit = 256;
constexpr ULONGLONG kRepaintIntervalMs = 250;

void Repaint(HWND window) {
    if (window != nullptr) {
        ::UpdateWindow(window);
    }
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
        ::SendDlgItemMessageW(window, IDC_EDIT_ZDROJ, EM_LIMITTEXT, kEditLimit, 0);
        ::SendDlgItemMessageW(window, IDC_EDIT_CIL, EM_LIMITTEXT, kEditLimit, 0);
        ::SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
        ::SendDlgItemMessageW(window, IDC_PROGRESS_BAR, PBM_SETSTEP, 1, 0);
        return FALSE;
    case WM_COMMAND:
        // The window has no way to be closed by the user; Esc and Enter do nothing.
        return LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK;
    case WM_CLOSE:
        return TRUE;
    default:
        return FALSE;
    }
}

void TFormProgress::SetCaption(const std::wstring& caption) {
    ::SetWindowTextW(Handle(), caption.c_str());
}

void TFormProgress::SetDestinationGroupCaption(const std::wstring& caption) {
    ::SetDlgItemTextW(Handle(), IDC_GROUP_CIL, caption.c_str());
}

// Texts and bar position are taken at once and put on screen by the repaint methods, as the
// system itself would paint them only at the next update: under Wine every change of a control
// is painted at once and costs about half a millisecond, more than copying a small file.
void TFormProgress::SetSource(const std::wstring& path) {
    source_ = path;
    sourceStale_ = true;
}

void TFormProgress::SetDestination(const std::wstring& path) {
    destination_ = path;
    destinationStale_ = true;
}

void TFormProgress::SetMax(int max) {
    max_ = max;
    position_ = std::min(position_, max_);
    ::SendDlgItemMessageW(Handle(), IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, max);
    barStale_ = true;
}

// Clamped at the maximum (the bar's own step would wrap around to the minimum).
void TFormProgress::Step() {
    position_ = std::min(position_ + 1, max_);
    barStale_ = true;
}

void TFormProgress::Show() {
    PutChangesOnControls();
    ::ShowWindow(Handle(), SW_SHOW);
}

void TFormProgress::PutChangesOnControls() {
    if (sourceStale_) {
        ::SetDlgItemTextW(Handle(), IDC_EDIT_ZDROJ, source_.c_str());
        sourceStale_ = false;
    }
    if (destinationStale_) {
        ::SetDlgItemTextW(Handle(), IDC_EDIT_CIL, destination_.c_str());
        destinationStale_ = false;
    }
    if (barStale_) {
        ::SendDlgItemMessageW(Handle(), IDC_PROGRESS_BAR, PBM_SETPOS, position_, 0);
        barStale_ = false;
    }
}

// The edits are child windows: their new texts are painted together with the frame.
void TFormProgress::RepaintWindow() {
    PutChangesOnControls();
    if (Handle() != nullptr) {
        ::RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

void TFormProgress::RepaintDestination() {
    PutChangesOnControls();
    Repaint(::GetDlgItem(Handle(), IDC_EDIT_CIL));
}

void TFormProgress::RepaintProgressBar() {
    PutChangesOnControls();
    Repaint(::GetDlgItem(Handle(), IDC_PROGRESS_BAR));
}

// Objects follow each other faster than anyone can read them, and under Wine every repaint of
// a control costs about a millisecond, more than copying a small file.
bool TFormProgress::RepaintForObject(std::size_t index, std::size_t count) {
    const ULONGLONG now = ::GetTickCount64();
    if (index == 0 || index + 1 == count || now - paintedAt_ >= kRepaintIntervalMs) {
        RepaintWindow();
        paintedAt_ = now;
        return true;
    }
    return false;
}

} // namespace tarvix
