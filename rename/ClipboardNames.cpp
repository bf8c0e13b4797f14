#include "ClipboardNames.h"

#include "common/NameCharacters.h"
#include "common/PathTerms.h"

namespace tarvix {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

std::vector<std::string> NamesFromLines(const std::vector<std::string>& lines,
                                        const std::vector<std::string>& oldNames) {
    std::vector<std::string> names;
    names.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size() && i < oldNames.size(); ++i) {
        names.push_back(lines[i] + Extension(oldNames[i]));
    }
    return names;
}

bool LinesAreBareNames(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (HoldsCharacterNotInAName(line)) {
            return false;
        }
    }
    return true;
}

} // namespace tarvix
