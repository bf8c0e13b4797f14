// The system's locale-aware case conversion of the ANSI code page, over a whole string; the
// length never changes.
#pragma once
#include "common/CaseConversion.h"

#include <string>
#include <string_view>

namespace tarvix {

std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);

constexpr CaseConversions kSystemCase{LowerCase, UpperCase};

} // namespace tarvix
