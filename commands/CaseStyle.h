// The four letter-case styles of the case commands, computed on UTF-16 paths.
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

// The new full path for `path` in `style`, or nothing for a style outside 1..4: the folder
// part as `path` spells it, followed by the object's name in the new case.
bool NewCasePath(const std::wstring& path, int style, const CaseConversions& convert,
                 std::wstring& newPath);

} // namespace tarvix
