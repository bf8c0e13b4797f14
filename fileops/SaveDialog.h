// The system's save dialog, Explorer style, with a close validation that sees the path the
// dialog holds and the folder it shows, and that can keep the dialog open.
#pragma once
#include <functional>
#include <optional>
#include <string>

namespace tarvix {

struct SaveDialogRequest {
    std::string title;
    std::string initialFolder;
    std::string initialName;
    // (held path, shown folder) -> may the dialog close with this entry?
    std::function<bool(const std::string&, const std::string&)> canClose;
};

// The accepted full path, or nothing when the user cancelled.
std::optional<std::string> RunSaveDialog(const SaveDialogRequest& request);

} // namespace tarvix
