#include "CaseStyle.h"

#include "platform/PathTerms.h"

namespace tarvix {
namespace {

// A single character is raised by converting the whole string and taking the character
// at the same position, so the conversion stays that of the string's locale.
void RaiseAt(std::string& text, std::string::size_type position, const CaseConversion& upper) {
    std::string raised = text;
    upper(raised);
    text[position] = raised[position];
}

std::string FirstCapital(const std::string& path, const CaseConversions& convert) {
    std::string name = BareName(path);
    convert.lower(name);
    if (!name.empty()) {
        RaiseAt(name, 0, convert.upper);
    }
    return FolderPart(path) + name;
}

std::string WordCapitals(const std::string& path, const CaseConversions& convert) {
    const std::string bare = BareName(path);
    std::string name = NamePart(bare);
    convert.lower(name);
    if (!name.empty()) {
        RaiseAt(name, 0, convert.upper);
        for (std::string::size_type j = 0; j + 1 < name.size(); ++j) {
            if (name[j] == ' ') {
                RaiseAt(name, j + 1, convert.upper);
            }
        }
    }
    std::string extension = Extension(path);
    convert.lower(extension);
    return FolderPart(path) + name + extension;
}

} // namespace

bool NewCasePath(const std::string& path, int style, const CaseConversions& convert,
                 std::string& newPath) {
    switch (style) {
    case kAllLower:
        newPath = path;
        convert.lower(newPath);
        return true;
    case kFirstCapital:
        newPath = FirstCapital(path, convert);
        return true;
    case kWordCapitals:
        newPath = WordCapitals(path, convert);
        return true;
    case kAllUpper:
        newPath = path;
        convert.upper(newPath);
        return true;
    default:
        return false;
    }
}

} // namespace tarvix
