#include "Progress.h"

#include "fileops/ProgressIds.h"
#include "platform/Module.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"

#include <algorithm>

namespace tarvix {
namespace {

constexpr int kEditLimit = 256;

INT_PTR CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        ::SetDlgItemTextA(window, IDC_GROUP_ZDROJ, LoadText(IDS_GROUP_SOURCE).c_str());
        ::SetDlgItemTextA(window, IDC_GROUP_CIL, LoadText(IDS_GROUP_DESTINATION).c_str());
        ::SendDlgItemMessageA(window, IDC_EDIT_ZDROJ, EM_LIMITTEXT, kEditLimit, 0);
        ::SendDlgItemMessageA(window, IDC_EDIT_CIL, EM_LIMITTEXT, kEditLimit, 0);
        ::SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
        ::SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_SETSTEP, 1, 0);
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

void Repaint(HWND window) {
    if (window != nullptr) {
        ::UpdateWindow(window);
    }
}

} // namespace

TFormProgress::TFormProgress()
    : window_(::CreateDialogParamA(ModuleHandle(), MAKEINTRESOURCEA(IDD_PROGRESS), OwnerWindow(),
                                   ProgressProc, 0)) {}

TFormProgress::~TFormProgress() = default;

void TFormProgress::SetCaption(const std::string& caption) {
    ::SetWindowTextA(Handle(), caption.c_str());
}

void TFormProgress::SetSourceGroupCaption(const std::string& caption) {
    ::SetDlgItemTextA(Handle(), IDC_GROUP_ZDROJ, caption.c_str());
}

void TFormProgress::SetDestinationGroupCaption(const std::string& caption) {
    ::SetDlgItemTextA(Handle(), IDC_GROUP_CIL, caption.c_str());
}

// The paths are kept here too: they are the engine's input, and must not depend on the
// window having been created.
void TFormProgress::SetSource(const std::string& path) {
    source_ = path;
    ::SetDlgItemTextA(Handle(), IDC_EDIT_ZDROJ, path.c_str());
}

void TFormProgress::SetDestination(const std::string& path) {
    destination_ = path;
    ::SetDlgItemTextA(Handle(), IDC_EDIT_CIL, path.c_str());
}

std::string TFormProgress::Source() const {
    return source_;
}

std::string TFormProgress::Destination() const {
    return destination_;
}

void TFormProgress::SetMax(int max) {
    ::SendDlgItemMessageA(Handle(), IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, max);
}

// Clamped at the maximum: the bar's own step would wrap around to the minimum.
void TFormProgress::Step() {
    HWND bar = ::GetDlgItem(Handle(), IDC_PROGRESS_BAR);
    const auto position = static_cast<int>(::SendMessageA(bar, PBM_GETPOS, 0, 0));
    const auto max = static_cast<int>(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
    ::SendMessageA(bar, PBM_SETPOS, std::min(position + 1, max), 0);
}

int TFormProgress::Position() const {
    return static_cast<int>(::SendDlgItemMessageA(Handle(), IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
}

void TFormProgress::Show() {
    ::ShowWindow(Handle(), SW_SHOW);
}

// The edits are child windows: their new texts are painted together with the frame.
void TFormProgress::RepaintWindow() {
    if (Handle() != nullptr) {
        ::RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

void TFormProgress::RepaintSource() {
    Repaint(::GetDlgItem(Handle(), IDC_EDIT_ZDROJ));
}

void TFormProgress::RepaintDestination() {
    Repaint(::GetDlgItem(Handle(), IDC_EDIT_CIL));
}

void TFormProgress::RepaintProgressBar() {
    Repaint(::GetDlgItem(Handle(), IDC_PROGRESS_BAR));
}

} // namespace tarvix
