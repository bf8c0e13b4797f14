// The system's locale-aware case conversion over a whole UTF-16 string; the length never
// changes. A character of the ANSI code page converts exactly as the code page's own conversion
// converts it, so names that fit the code page come out as they always did.
#pragma once
#include "common/CaseConversion.h"

#include <string>
#include <string_view>

namespace tarvix {

std::wstring LowerCase(std::wstring_view text);
std::wstring UpperCase(std::wstring_view text);

constexpr CaseConversions kSystemCase{LowerCase, UpperCase};

} // namespace tarvix
