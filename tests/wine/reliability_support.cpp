#include "reliability_support.h"

#include "fileops/ProgressIds.h"
#include "rename/RenamSerIds.h"
#include "stamp/StampIds.h"

#include <algorithm>

namespace tarvix::test {
WalkUser::WalkUser(DWORD thread) : answerer_(thread, [this](HWND dialog) { Act(dialog); }) {}

std::vector<Box> WalkUser::TakeBoxes() {
    std::lock_guard<std::mutex> guard(lock_);
    std::vector<Box> boxes;
    boxes.swap(boxes_);
    return boxes;
}

void WalkUser::Act(HWND dialog) {
    if (::GetDlgItem(dialog, IDC_EDIT_ZDROJ) != nullptr) {
        return; // the progress window
    }
    if (HWND nameBox = ::GetDlgItem(dialog, kFileNameBox)) {
        ::SetWindowTextA(nameBox, "*.bak");
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
        return;
    }
    if (::GetDlgItem(dialog, IDC_RENAME_OK) != nullptr) {
        if (namesFromClipboard) {
            ::SendMessageW(::GetDlgItem(dialog, IDC_RENAME_FROM_CLIPBOARD), BM_CLICK, 0, 0);
        }
        PressButton(dialog, IDC_RENAME_OK);
        return;
    }
    if (::GetDlgItem(dialog, IDC_STAMP_OK) != nullptr) {
        PressButton(dialog, IDC_STAMP_OK);
        return;
    }
    {
        std::lock_guard<std::mutex> guard(lock_);
        boxes_.push_back({WindowText(dialog), MessageBoxText(dialog)});
    }
    PressButton(dialog, ::GetDlgItem(dialog, IDYES) != nullptr ? IDYES : IDOK);
}

bool AnyBoxMentions(const std::vector<Box>& boxes, const std::string& part) {
    return std::any_of(boxes.begin(), boxes.end(),
                       [&](const Box& box) { return box.text.find(part) != std::string::npos; });
}

} // namespace tarvix::test
