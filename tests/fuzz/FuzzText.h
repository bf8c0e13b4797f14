// The fuzzers' text: the input's bytes taken two at a time as little-endian UTF-16 code units,
// as the platform lays them out, so any unit, lone surrogates included, can occur. An odd last
// byte is left out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvix {

inline std::wstring Utf16Units(const std::uint8_t* data, std::size_t size) {
    std::wstring text(size / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    return text;
}

} // namespace tarvix
