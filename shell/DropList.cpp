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
                   PackedNames& names) {
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
        names.Append(std::string_view(reinterpret_cast<const char*>(block + offset), length));
        offset += length + 1;
        if (offset >= size) {
            return false;
        }
    }
}

bool ReadWideNames(const unsigned char* block, std::size_t size, std::size_t offset,
                   const WideToAnsi& toAnsi, PackedNames& names) {
    std::u16string aligned;
    for (;;) {
        std::size_t end = offset;
        for (;; end += 2) {
            if (end + 2 > size) {
                return false;
            }
            if (block[end] == 0 && block[end + 1] == 0) {
                break;
            }
        }
        const std::size_t length = (end - offset) / 2;
        if (length == 0) {
            return true;
        }
        // The units are read in place unless the block puts them at an odd address.
        const unsigned char* start = block + offset;
        if (reinterpret_cast<std::uintptr_t>(start) % alignof(char16_t) == 0) {
            toAnsi(reinterpret_cast<const char16_t*>(start), length, names.Buffer());
        } else {
            aligned.resize(length);
            std::memcpy(aligned.data(), start, length * 2);
            toAnsi(aligned.data(), length, names.Buffer());
        }
        names.EndName();
        offset = end + 2;
    }
}

} // namespace

void PackedNames::Append(std::string_view name) {
    text_.append(name);
    EndName();
}

std::string_view PackedNames::operator[](std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
}

std::vector<std::string> PackedNames::ToVector() const {
    std::vector<std::string> names;
    names.reserve(size());
    for (std::size_t index = 0; index < size(); ++index) {
        names.emplace_back((*this)[index]);
    }
    return names;
}

std::optional<PackedNames> ParseDropList(const unsigned char* block, std::size_t size,
                                         const WideToAnsi& toAnsi) {
    if (block == nullptr || size < kHeaderSize) {
        return std::nullopt;
    }
    const std::size_t offset = ReadUint32(block);
    if (offset < kHeaderSize || offset >= size) {
        return std::nullopt;
    }
    const bool wide = ReadUint32(block + kWideFlagOffset) != 0;
    PackedNames names;
    // The names never take more bytes than the block: an ANSI name is its own bytes, and a
    // wide code unit becomes at most two bytes.
    names.Reserve(size - offset);
    const bool wellFormed = wide ? ReadWideNames(block, size, offset, toAnsi, names)
                                 : ReadAnsiNames(block, size, offset, names);
    if (!wellFormed) {
        return std::nullopt;
    }
    return names;
}

} // namespace tarvix
