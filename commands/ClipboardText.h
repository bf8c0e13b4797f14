// The text that the names-to-clipboard commands place on the clipboard. No platform calls.
#pragma once
#include <string>
#include <vector>

namespace tarvix {

// Every path, or only its bare name, each followed by CR LF (the last one too); empty for no
// paths. The paths themselves are left as they are.
std::wstring ClipboardText(const std::vector<std::wstring>& paths, bool namesOnly);

} // namespace tarvix
