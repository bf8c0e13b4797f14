#include "DropList.h"

#include <cstdint>
#include <cstring>

namespace tarvix {
namespace {

// DROPFILES: pFiles (4 bytes), pt (8), fNC (4), fWide (4).
constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kWideFlagOffset = 16;

std::uint32_t ReadUint32(const unsigned char* at) {
    std::uint32_t value = 0;
    std::memcpy(&value, at, sizeof(value));
    return value;
}

bool ReadAnsiNames(const unsigned char* block, std::size_t size, std::size_t offset,
                   std::vector<std::string>& names) {
    for (;;) {
        const void* end = std::memchr(block + offset, 0, size - offset);
        if (end == nullptr) {
            return false;
        }
        const auto length =
            static_cast<std::size_t>(static_cast<const unsigned char*>(end) - (block + offset));
        if (length == 0) {
            return true;
        }
        names.emplace_back(reinterpret_cast<const char*>(block + offset), length);
        offset += length + 1;
        if (offset >= size) {
            return false;
        }
    }
}

bool ReadWideNames(const unsigned char* block, std::size_t size, std::size_t offset,
                   const WideToAnsi& toAnsi, std::vector<std::string>& names) {
    std::u16string name;
    for (;;) {
        name.clear();
        for (;;) {
            if (offset + 2 > size) {
                return false;
            }
            char16_t unit = 0;
            std::memcpy(&unit, block + offset, sizeof(unit));
            offset += 2;
            if (unit == 0) {
                break;
            }
            name.push_back(unit);
        }
        if (name.empty()) {
            return true;
        }
        names.push_back(toAnsi(name.data(), name.size()));
    }
}

} // namespace

std::optional<std::vector<std::string>> ParseDropList(const unsigned char* block, std::size_t size,
                                                      const WideToAnsi& toAnsi) {
    if (block == nullptr || size < kHeaderSize) {
        return std::nullopt;
    }
    const std::size_t offset = ReadUint32(block);
    if (offset < kHeaderSize || offset >= size) {
        return std::nullopt;
    }
    const bool wide = ReadUint32(block + kWideFlagOffset) != 0;
    std::vector<std::string> names;
    const bool wellFormed = wide ? ReadWideNames(block, size, offset, toAnsi, names)
                                 : ReadAnsiNames(block, size, offset, names);
    if (!wellFormed) {
        return std::nullopt;
    }
    return names;
}

} // namespace tarvix
