#include "CaseStyle.h"

#include "common/PathTerms.h"

namespace tarvix {
namespace {

bool IsHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// A single character is raised by converting the whole string and taking the character at the
// same position, so the conversion stays that of the string's locale. A character outside the
// basic plane takes two code units, both taken.
void RaiseAt(std::wstring& text, std::wstring::size_type position, CaseConversion upper) {
    const std::wstring raised = upper(text);
    text[position] = raised[position];
    if (IsHighSurrogate(text[position]) && position + 1 < text.size()) {
        text[position + 1] = raised[position + 1];
    }
}

std::wstring FirstCapital(const std::wstring& path, const CaseConversions& convert) {
    std::wstring name = convert.lower(BareName(path));
    if (!name.empty()) {
        RaiseAt(name, 0, convert.upper);
    }
    return FolderPart(path) + name;
}

std::wstring WordCapitals(const std::wstring& path, const CaseConversions& convert) {
    std::wstring name = convert.lower(NamePart(BareName(path)));
    if (!name.empty()) {
        RaiseAt(name, 0, convert.upper);
        for (std::wstring::size_type j = 0; j + 1 < name.size(); ++j) {
            if (name[j] == L' ') {
                RaiseAt(name, j + 1, convert.upper);
            }
        }
    }
    return FolderPart(path) + name + convert.lower(Extension(path));
}

// The object's own folder stays as it is spelled: on a case-sensitive folder (WSL, NFS, per-
// directory case sensitivity) a converted folder part would name nothing.
std::wstring WholeName(const std::wstring& path, CaseConversion convert) {
    return FolderPart(path) + convert(BareName(path));
}

} // namespace

bool NewCasePath(const std::wstring& path, int style, const CaseConversions& convert,
                 std::wstring& newPath) {
    switch (style) {
    case kAllLower:
        newPath = WholeName(path, convert.lower);
        return true;
    case kFirstCapital:
        newPath = FirstCapital(path, convert);
        return true;
    case kWordCapitals:
        newPath = WordCapitals(path, convert);
        return true;
    case kAllUpper:
        newPath = WholeName(path, convert.upper);
        return true;
    default:
        return false;
    }
}

} // namespace tarvix
