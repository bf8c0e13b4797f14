#include "CaseStyle.h"

#include "common/PathTerms.h"

namespace tarvix {
namespace {

// A single character is raised by converting the whole string and taking the character
// at the same position, so the conversion stays that of the string's locale.
void RaiseAt(std::string& text, std::string::size_type position, CaseConversion upper) {
    text[position] = upper(text)[position];
}

std::string FirstCapital(const std::string& path, const CaseConversions& convert) {
    std::string name = convert.lower(BareName(path));
    if (!name.empty()) {
        RaiseAt(name, 0, convert.upper);
    }
    return FolderPart(path) + name;
}

std::string WordCapitals(const std::string& path, const CaseConversions& convert) {
    std::string name = convert.lower(NamePart(BareName(path)));
    if (!name.empty()) {
        RaiseAt(name, 0, convert.upper);
        for (std::string::size_type j = 0; j + 1 < name.size(); ++j) {
            if (name[j] == ' ') {
                RaiseAt(name, j + 1, convert.upper);
            }
        }
    }
    return FolderPart(path) + name + convert.lower(Extension(path));
}

} // namespace

bool NewCasePath(const std::string& path, int style, const CaseConversions& convert,
                 std::string& newPath) {
    switch (style) {
    case kAllLower:
        newPath = convert.lower(path);
        return true;
    case kFirstCapital:
        newPath = FirstCapital(path, convert);
        return true;
    case kWordCapitals:
        newPath = WordCapitals(path, convert);
        return true;
    case kAllUpper:
        newPath = convert.upper(path);
        return true;
    default:
        return false;
    }
}

} // namespace tarvix
