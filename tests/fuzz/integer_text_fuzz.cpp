// The integer text reader on any UTF-16 text: never reads past its input, and what it accepts
// reads back to the same value from its decimal text.
#include "common/IntegerText.h"
#include "tests/fuzz/FuzzText.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Exactly the text's units, no terminator after them, so that a read past the end is caught.
    const std::wstring units = tarvix::Utf16Units(data, size);
    const std::vector<wchar_t> exact(units.begin(), units.end());
    const auto value = tarvix::ReadIntegerText(std::wstring_view(exact.data(), exact.size()));
    if (value) {
        const auto again = tarvix::ReadIntegerText(std::to_wstring(*value));
        if (!again || *again != *value) {
            std::abort();
        }
    }
    return 0;
}
