// The user of the reliability tests: runs every command to its end whatever it meets.
#pragma once
#include "support/WindowRobot.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace tarvix::test {

struct Box {
    std::string caption;
    std::string text;
};

// Accepts every dialog as it comes (*.bak in the save dialog, OK in the rename and time-stamp
// dialogs) and answers Yes, else OK, to every box, recording the boxes.
class WalkUser {
  public:
    explicit WalkUser(DWORD thread);

    // The boxes met since the last call.
    std::vector<Box> TakeBoxes();

    // The rename series takes its new names from the clipboard instead of the template.
    std::atomic<bool> namesFromClipboard{false};

  private:
    void Act(HWND dialog);

    std::mutex lock_;
    std::vector<Box> boxes_;
    DialogAnswerer answerer_;
};

// True when some box's text contains `part`.
bool AnyBoxMentions(const std::vector<Box>& boxes, const std::string& part);

} // namespace tarvix::test
