// The system's save dialog, Explorer style, with a close validation that sees the path the
// dialog holds and the folder it shows, and that can keep the dialog open.
#pragma once
#include <functional>
#include <optional>
#include <string>

namespace tarvix {

// What the dialog holds when the user confirms an entry.
struct SaveDialogEntry {
    std::wstring heldPath;    // the full path the dialog would return
    std::wstring shownFolder; // the folder the dialog shows
    std::wstring typedName;   // the name box as the user typed it, before the dialog read it
};

struct SaveDialogRequest {
    std::wstring title;
    std::wstring initialFolder;
    std::wstring initialName;
    // May the dialog close with this entry?
    std::function<bool(const SaveDialogEntry&)> canClose;
};

// The accepted full path, or nothing when the user cancelled.
std::optional<std::wstring> RunSaveDialog(const SaveDialogRequest& request);

} // namespace tarvix
