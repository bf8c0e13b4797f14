// The drop list reader on any block: never reads outside it (ASan watches), and every name
// it returns is non-empty and NUL-free. The ID list array reader on the same block: never
// reads outside it, and every list it finds starts inside it.
#include "shell/DropList.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so that a read past the block is caught.
    std::vector<unsigned char> block(data, data + size);
    const auto names = tarvix::ParseDropList(
        block.data(), block.size(), [](const char* name, std::size_t length, std::wstring& out) {
            for (std::size_t i = 0; i < length; ++i) {
                const auto byte = static_cast<unsigned char>(name[i]);
                out += byte < 0x80 ? static_cast<wchar_t>(byte) : L'?';
            }
        });
    if (names) {
        for (std::size_t i = 0; i < names->size(); ++i) {
            const auto name = (*names)[i];
            if (name.empty() || name.find(L'\0') != std::wstring_view::npos) {
                std::abort();
            }
        }
    }
    if (const auto lists = tarvix::ParseIdListArray(block.data(), block.size())) {
        for (std::size_t offset : lists->children) {
            if (offset + 2 > block.size()) {
                std::abort();
            }
        }
    }
    return 0;
}
