// The four letter-case styles of the case commands, computed on ANSI paths.
#pragma once
#include "common/CaseConversion.h"

#include <string>

namespace tarvix {

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
