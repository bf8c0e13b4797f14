#include "NameCharacters.h"

#include <array>

namespace tarvix {
namespace {

wchar_t AsciiUpper(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool EqualIgnoringAsciiCase(std::wstring_view text, std::wstring_view upper) {
    if (text.size() != upper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (AsciiUpper(text[i]) != upper[i]) {
            return false;
        }
    }
    return true;
}

bool IsPortDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || c == L'\u00B9' || c == L'\u00B2' || c == L'\u00B3';
}

} // namespace

bool HoldsCharacterNotInAName(std::wstring_view text) {
    return text.find_first_of(kNotInAName) != std::wstring_view::npos;
}

bool IsReservedDeviceName(std::wstring_view name) {
    std::wstring_view base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ') {
        base.remove_suffix(1);
    }
    constexpr std::array<std::wstring_view, 6> kDevices = {L"CON", L"PRN",    L"AUX",
                                                           L"NUL", L"CONIN$", L"CONOUT$"};
    for (std::wstring_view device : kDevices) {
        if (EqualIgnoringAsciiCase(base, device)) {
            return true;
        }
    }
    return base.size() == 4 && IsPortDigit(base[3]) &&
           (EqualIgnoringAsciiCase(base.substr(0, 3), L"COM") ||
            EqualIgnoringAsciiCase(base.substr(0, 3), L"LPT"));
}

bool EndsInDotOrSpace(std::wstring_view name) {
    return !name.empty() && (name.back() == L'.' || name.back() == L' ');
}

bool IsAllowedNewName(std::wstring_view name) {
    return !IsReservedDeviceName(name) && !EndsInDotOrSpace(name);
}

} // namespace tarvix
