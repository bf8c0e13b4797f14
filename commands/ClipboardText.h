// The text that the names-to-clipboard commands place on the clipboard. No platform calls.
#pragma once
#include <string>
#include <vector>

namespace tarvix {

// Every path, or only its bare name, each followed by CR LF (the last one too); empty for no
// paths. The paths themselves are left as they are.
std::string ClipboardText(const std::vector<std::string>& paths, bool namesOnly);

} // namespace tarvix
