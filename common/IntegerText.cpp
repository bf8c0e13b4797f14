#include "IntegerText.h"

namespace tarvix {
namespace {

int DigitValue(wchar_t c, int base) {
    int value = -1;
    if (c >= L'0' && c <= L'9') {
        value = c - L'0';
    } else if (c >= L'a' && c <= L'f') {
        value = c - L'a' + 10;
    } else if (c >= L'A' && c <= L'F') {
        value = c - L'A' + 10;
    }
    return value < base ? value : -1;
}

// Decimal values must fit a signed 32-bit integer; hexadecimal ones may use all 32 bits.
std::optional<std::int32_t> ReadDigits(std::wstring_view digits, int base, bool negative) {
    if (digits.empty()) {
        return std::nullopt;
    }
    const std::uint64_t limit =
        base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t value = 0;
    for (wchar_t c : digits) {
        const int digit = DigitValue(c, base);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > limit) {
            return std::nullopt;
        }
    }
    if (base == 16) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }
    const auto magnitude = static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace

std::optional<std::int32_t> ReadIntegerText(std::wstring_view text) {
    std::wstring_view::size_type start = 0;
    while (start < text.size() && text[start] == L' ') {
        ++start;
    }
    text.remove_prefix(start);
    if (text.empty()) {
        return std::nullopt;
    }
    if (text[0] == L'$' || text[0] == L'x' || text[0] == L'X') {
        return ReadDigits(text.substr(1), 16, false);
    }
    if (text.size() >= 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        return ReadDigits(text.substr(2), 16, false);
    }
    bool negative = false;
    if (text[0] == L'+' || text[0] == L'-') {
        negative = text[0] == L'-';
        text.remove_prefix(1);
    }
    return ReadDigits(text, 10, negative);
}

} // namespace tarvix
