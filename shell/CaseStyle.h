// The four letter-case styles of the case commands, computed on ANSI paths.
#pragma once
#include <functional>
#include <string>

namespace tarvix {

// Converts a whole string in place; the length never changes. The platform passes its
// locale-aware CharLowerBuffA/CharUpperBuffA here.
using CaseConversion = std::function<void(std::string&)>;

struct CaseConversions {
    CaseConversion lower;
    CaseConversion upper;
};

enum CaseStyle : int {
    kAllLower = 1,
    kFirstCapital = 2,
    kWordCapitals = 3,
    kAllUpper = 4,
};

// The new full path for `path` in `style`, or nothing for a style outside 1..4.
bool NewCasePath(const std::string& path, int style, const CaseConversions& convert,
                 std::string& newPath);

} // namespace tarvix
