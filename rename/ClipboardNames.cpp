#include "ClipboardNames.h"

#include "common/NameCharacters.h"
#include "common/PathTerms.h"

namespace tarvix {

std::vector<std::wstring> SplitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        const bool crLf = text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n';
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

std::vector<std::wstring> NamesFromLines(const std::vector<std::wstring>& lines,
                                         const std::vector<std::wstring>& oldNames) {
    std::vector<std::wstring> names;
    names.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size() && i < oldNames.size(); ++i) {
        names.push_back(lines[i] + Extension(oldNames[i]));
    }
    return names;
}

bool LinesAreBareNames(const std::vector<std::wstring>& lines) {
    for (const std::wstring& line : lines) {
        if (HoldsCharacterNotInAName(line)) {
            return false;
        }
    }
    return true;
}

} // namespace tarvix
