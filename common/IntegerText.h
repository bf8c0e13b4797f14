// Reads a field's text as an integer: leading blanks, then an optional sign with decimal digits,
// or a "$", "x", "X", "0x" or "0X" prefix with hexadecimal digits, and nothing after.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvix {

// The value, or nothing when the text is unreadable. Values beyond the 32-bit range are
// unreadable, as the toolkit's conversion refuses them.
std::optional<std::int32_t> ReadIntegerText(std::wstring_view text);

} // namespace tarvix
