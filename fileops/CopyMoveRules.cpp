#include "CopyMoveRules.h"

#include "common/NameCharacters.h"
#include "common/PathTerms.h"

#include <unordered_set>

namespace tarvix {

std::wstring KeyOf(std::wstring_view path, KeyPart part, CaseConversion lower) {
    return lower(part == KeyPart::NamePart ? NamePart(path) : Extension(path));
}

bool AllShare(const std::vector<std::wstring>& paths, KeyPart part, CaseConversion lower) {
    if (paths.empty()) {
        return true;
    }
    const std::wstring first = KeyOf(paths.front(), part, lower);
    for (std::size_t i = 1; i < paths.size(); ++i) {
        if (KeyOf(paths[i], part, lower) != first) {
            return false;
        }
    }
    return true;
}

bool AnyPairShares(const std::vector<std::wstring>& paths, KeyPart part, CaseConversion lower) {
    std::unordered_set<std::wstring> seen;
    for (const std::wstring& path : paths) {
        if (!seen.insert(KeyOf(path, part, lower)).second) {
            return true;
        }
    }
    return false;
}

SelectionKind ClassifySelection(const std::vector<std::wstring>& paths, CaseConversion lower) {
    if (paths.size() == 1) {
        return skSingle;
    }
    if (AllShare(paths, KeyPart::NamePart, lower)) {
        return skSameName;
    }
    return AllShare(paths, KeyPart::Extension, lower) ? skSameExt : skMixed;
}

std::wstring TitleArgument(SelectionKind kind, const std::wstring& firstPath,
                           CaseConversion lower) {
    switch (kind) {
    case skSingle:
        return BareName(firstPath);
    case skSameName:
        return lower(NamePart(BareName(firstPath)));
    case skSameExt:
        return lower(Extension(firstPath));
    case skMixed:
        break;
    }
    return std::wstring();
}

namespace {

std::wstring WithoutFinalBackslash(std::wstring path) {
    if (!path.empty() && path.back() == L'\\') {
        path.pop_back();
    }
    return path;
}

} // namespace

std::wstring InitialFolder(const std::wstring& firstPath) {
    return WithoutFinalBackslash(FolderPart(firstPath));
}

bool InShownFolder(const std::wstring& heldPath, const std::wstring& shownFolder) {
    return WithoutFinalBackslash(FolderPart(heldPath)) == WithoutFinalBackslash(shownFolder);
}

// Beside the characters no name may hold, '?': a wildcard, which names no one file.
bool TypedAsAName(std::wstring_view typedName) {
    return typedName.find(L'?') == std::wstring_view::npos && !HoldsCharacterNotInAName(typedName);
}

std::optional<PatternKind> ReadPattern(const std::wstring& bareName) {
    const std::wstring extension = Extension(bareName);
    if (extension == L".lnk") {
        return std::nullopt;
    }
    if (!TypedAsAName(bareName)) {
        return std::nullopt;
    }
    const std::wstring namePart = NamePart(bareName);
    PatternKind kind = pkPlainName;
    if (namePart.find(L'*') != std::wstring::npos) {
        if (namePart != L"*") {
            return std::nullopt;
        }
        kind = pkKeepName;
    }
    if (extension.find(L'*') != std::wstring::npos) {
        if (extension != L".*") {
            return std::nullopt;
        }
        kind = kind == pkPlainName ? pkKeepExt : pkKeepBoth;
    }
    return kind;
}

bool AcceptsPattern(SelectionKind selection, PatternKind pattern,
                    const std::function<bool(KeyPart)>& anyPairShares) {
    switch (selection) {
    case skSingle:
        return true;
    case skSameName:
        return pattern == pkKeepExt || pattern == pkKeepBoth;
    case skSameExt:
        return pattern == pkKeepName || pattern == pkKeepBoth;
    case skMixed:
        break;
    }
    switch (pattern) {
    case pkPlainName:
        return false;
    case pkKeepExt:
        return !anyPairShares(KeyPart::Extension);
    case pkKeepName:
        return !anyPairShares(KeyPart::NamePart);
    case pkKeepBoth:
        break;
    }
    return true;
}

std::wstring DestinationOf(PatternKind pattern, const std::wstring& finalPath,
                           const std::wstring& objectPath) {
    switch (pattern) {
    case pkPlainName:
        return finalPath;
    case pkKeepExt:
        return NamePart(finalPath) + Extension(objectPath);
    case pkKeepName:
        return FolderPart(finalPath) + NamePart(BareName(objectPath)) + Extension(finalPath);
    case pkKeepBoth:
        break;
    }
    return FolderPart(finalPath) + BareName(objectPath);
}

bool NewNamesAllowed(PatternKind pattern, const std::wstring& finalPath,
                     const std::vector<std::wstring>& objectPaths) {
    for (const std::wstring& object : objectPaths) {
        const std::wstring name = BareName(DestinationOf(pattern, finalPath, object));
        if (name != BareName(object) && !IsAllowedNewName(name)) {
            return false;
        }
    }
    return true;
}

bool IsSameOrBelow(const std::wstring& folder, const std::wstring& path) {
    const std::wstring base = WithoutFinalBackslash(folder);
    if (base.empty() || path.compare(0, base.size(), base) != 0) {
        return false;
    }
    return path.size() == base.size() || path[base.size()] == L'\\';
}

} // namespace tarvix
