// ASCII case conversion: the native tests' and fuzzers' stand-in for the platform's
// conversion of the code page.
#pragma once
#include "common/CaseConversion.h"

#include <string>
#include <string_view>

namespace tarvix {

inline std::string AsciiLower(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lowered;
}

inline std::string AsciiUpper(std::string_view text) {
    std::string raised(text);
    for (char& c : raised) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return raised;
}

constexpr CaseConversions kAsciiCase{AsciiLower, AsciiUpper};

} // namespace tarvix
