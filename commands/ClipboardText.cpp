#include "ClipboardText.h"

#include "common/PathTerms.h"

namespace tarvix {

std::string ClipboardText(const std::vector<std::string>& paths, bool namesOnly) {
    std::string text;
    for (const std::string& path : paths) {
        text += namesOnly ? BareName(path) : path;
        text += "\r\n";
    }
    return text;
}

} // namespace tarvix
