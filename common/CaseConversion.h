// How the pure rules receive the platform's locale-aware case conversion: a whole string in,
// the converted string out, its length never changed. Tests pass plain conversions of their
// own. No platform calls.
#pragma once
#include <string>
#include <string_view>

namespace tarvix {

using CaseConversion = std::wstring (*)(std::wstring_view text);

struct CaseConversions {
    CaseConversion lower;
    CaseConversion upper;
};

} // namespace tarvix
