#include "ClipboardText.h"

#include "common/PathTerms.h"

namespace tarvix {

std::wstring ClipboardText(const std::vector<std::wstring>& paths, bool namesOnly) {
    std::wstring text;
    for (const std::wstring& path : paths) {
        text += namesOnly ? BareName(path) : path;
        text += L"\r\n";
    }
    return text;
}

} // namespace tarvix
