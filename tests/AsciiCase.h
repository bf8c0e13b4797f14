// ASCII case conversion: the native tests' and fuzzers' stand-in for the platform's
// locale-aware conversion. Every other code unit, surrogates included, is left as it is, so
// the length never changes.
#pragma once
#include "common/CaseConversion.h"

#include <string>
#include <string_view>

namespace tarvix {

inline std::wstring AsciiLower(std::wstring_view text) {
    std::wstring lowered(text);
    for (wchar_t& c : lowered) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return lowered;
}

inline std::wstring AsciiUpper(std::wstring_view text) {
    std::wstring raised(text);
    for (wchar_t& c : raised) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - L'a' + L'A');
        }
    }
    return raised;
}

constexpr CaseConversions kAsciiCase{AsciiLower, AsciiUpper};

} // namespace tarvix
