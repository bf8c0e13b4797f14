// Absolute paths spelled for the \\?\ prefix, which turns off the platform's own clean-up of a
// path: that clean-up also drops a final dot or space from every name, so a file "draft." would
// be taken for its sibling "draft". No platform calls.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tarvix {

// A drive path ("C:\...") or a network path ("\\server\share\...") with '/' read as '\',
// repeated separators folded, "." and ".." components resolved (never above the drive's root or
// the share), and every name otherwise exactly as given. Nothing for any other path: relative
// ones, a drive without its root ("C:x"), device and already prefixed paths.
std::optional<std::wstring> CleanAbsolutePath(std::wstring_view path);

} // namespace tarvix
