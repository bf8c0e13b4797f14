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
                   const AnsiConversion& toWide, PackedNames& names) {
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
        toWide(reinterpret_cast<const char*>(block + offset), length, names.Buffer());
        names.EndName();
        offset += length + 1;
        if (offset >= size) {
            return false;
        }
    }
}

// Units are read byte by byte, little-endian, so a block at any address and any width of
// wchar_t read alike.
bool ReadWideNames(const unsigned char* block, std::size_t size, std::size_t offset,
                   PackedNames& names) {
    std::wstring& text = names.Buffer();
    for (;;) {
        const std::size_t start = text.size();
        for (;; offset += 2) {
            if (offset + 2 > size) {
                return false;
            }
            const auto unit = static_cast<wchar_t>(block[offset] | (block[offset + 1] << 8));
            if (unit == 0) {
                break;
            }
            text.push_back(unit);
        }
        offset += 2;
        if (text.size() == start) {
            return true;
        }
        names.EndName();
    }
}

// An item ID list: items of a 16-bit size (counting those 2 bytes) up to a size of 0.
bool HoldsIdList(const unsigned char* block, std::size_t size, std::size_t offset) {
    for (;;) {
        if (offset > size || size - offset < 2) {
            return false;
        }
        const std::size_t item = block[offset] | (block[offset + 1] << 8);
        if (item == 0) {
            return true;
        }
        if (item < 2) {
            return false;
        }
        offset += item;
    }
}

} // namespace

std::wstring_view PackedNames::operator[](std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::wstring_view(text_).substr(begin, ends_[index] - begin);
}

std::vector<std::wstring> PackedNames::ToVector() const {
    std::vector<std::wstring> names;
    names.reserve(size());
    for (std::size_t index = 0; index < size(); ++index) {
        names.emplace_back((*this)[index]);
    }
    return names;
}

std::optional<PackedNames> ParseDropList(const unsigned char* block, std::size_t size,
                                         const AnsiConversion& toWide) {
    if (block == nullptr || size < kHeaderSize) {
        return std::nullopt;
    }
    const std::size_t offset = ReadUint32(block);
    if (offset < kHeaderSize || offset >= size) {
        return std::nullopt;
    }
    const bool wide = ReadUint32(block + kWideFlagOffset) != 0;
    PackedNames names;
    // The names never take more code units than the block has bytes.
    names.Reserve(wide ? (size - offset) / 2 : size - offset);
    const bool wellFormed = wide ? ReadWideNames(block, size, offset, names)
                                 : ReadAnsiNames(block, size, offset, toWide, names);
    if (!wellFormed) {
        return std::nullopt;
    }
    return names;
}

std::optional<IdListArray> ParseIdListArray(const unsigned char* block, std::size_t size) {
    if (block == nullptr || size < 4) {
        return std::nullopt;
    }
    const std::size_t count = ReadUint32(block);
    // The count and each offset take 4 bytes: a count the block cannot hold is refused before
    // anything is reserved for it.
    if (size / 4 < 2 || count > size / 4 - 2) {
        return std::nullopt;
    }
    IdListArray lists;
    lists.children.reserve(count);
    for (std::size_t index = 0; index <= count; ++index) {
        const std::size_t offset = ReadUint32(block + 4 + 4 * index);
        if (!HoldsIdList(block, size, offset)) {
            return std::nullopt;
        }
        if (index == 0) {
            lists.parent = offset;
        } else {
            lists.children.push_back(offset);
        }
    }
    return lists;
}

} // namespace tarvix
