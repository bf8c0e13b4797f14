#include "CopyMoveRules.h"

#include "common/NameCharacters.h"
#include "common/PathTerms.h"

#include <unordered_set>

namespace tarvix {

std::string KeyOf(std::string_view path, KeyPart part, CaseConversion lower) {
    return lower(part == KeyPart::NamePart ? NamePart(path) : Extension(path));
}

bool AllShare(const std::vector<std::string>& paths, KeyPart part, CaseConversion lower) {
    if (paths.empty()) {
        return true;
    }
    const std::string first = KeyOf(paths.front(), part, lower);
    for (std::size_t i = 1; i < paths.size(); ++i) {
        if (KeyOf(paths[i], part, lower) != first) {
            return false;
        }
    }
    return true;
}

bool AnyPairShares(const std::vector<std::string>& paths, KeyPart part, CaseConversion lower) {
    std::unordered_set<std::string> seen;
    for (const std::string& path : paths) {
        if (!seen.insert(KeyOf(path, part, lower)).second) {
            return true;
        }
    }
    return false;
}

SelectionKind ClassifySelection(const std::vector<std::string>& paths, CaseConversion lower) {
    if (paths.size() == 1) {
        return skSingle;
    }
    if (AllShare(paths, KeyPart::NamePart, lower)) {
        return skSameName;
    }
    return AllShare(paths, KeyPart::Extension, lower) ? skSameExt : skMixed;
}

std::string TitleArgument(SelectionKind kind, const std::string& firstPath, CaseConversion lower) {
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
    return std::string();
}

namespace {

std::string WithoutFinalBackslash(std::string path) {
    if (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

} // namespace

std::string InitialFolder(const std::string& firstPath) {
    return WithoutFinalBackslash(FolderPart(firstPath));
}

bool InShownFolder(const std::string& heldPath, const std::string& shownFolder) {
    return WithoutFinalBackslash(FolderPart(heldPath)) == WithoutFinalBackslash(shownFolder);
}

// Beside the characters no name may hold, '?': a wildcard, which names no one file.
bool TypedAsAName(std::string_view typedName) {
    return typedName.find('?') == std::string_view::npos && !HoldsCharacterNotInAName(typedName);
}

std::optional<PatternKind> ReadPattern(const std::string& bareName) {
    const std::string extension = Extension(bareName);
    if (extension == ".lnk") {
        return std::nullopt;
    }
    if (!TypedAsAName(bareName)) {
        return std::nullopt;
    }
    const std::string namePart = NamePart(bareName);
    PatternKind kind = pkPlainName;
    if (namePart.find('*') != std::string::npos) {
        if (namePart != "*") {
            return std::nullopt;
        }
        kind = pkKeepName;
    }
    if (extension.find('*') != std::string::npos) {
        if (extension != ".*") {
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

std::string DestinationOf(PatternKind pattern, const std::string& finalPath,
                          const std::string& objectPath) {
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

bool IsSameOrBelow(const std::string& folder, const std::string& path) {
    const std::string base = WithoutFinalBackslash(folder);
    if (base.empty() || path.compare(0, base.size(), base) != 0) {
        return false;
    }
    return path.size() == base.size() || path[base.size()] == '\\';
}

} // namespace tarvix
