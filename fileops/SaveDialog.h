// The system's save dialog, Explorer style, with a close validation that sees the path the
// dialog holds and the folder it shows, and that can keep the dialog open.
#pragma once
#include <functional>
#include <optional>
#include <string>

namespace tarvix {

// What the dialog holds when the user confirms an entry.
struct SaveDialogEntry {
    std::string heldPath;    // the full path the dialog would return
    std::string shownFolder; // the folder the dialog shows
    std::string typedName;   // the name box as the user typed it, before the dialog read it
};

struct SaveDialogRequest {
    std::string title;
    std::string initialFolder;
    std::string initialName;
    // May the dialog close with this entry?
    std::function<bool(const SaveDialogEntry&)> canClose;
};

// The accepted full path, or nothing when the user cancelled.
std::optional<std::string> RunSaveDialog(const SaveDialogRequest& request);

} // namespace tarvix
