// The integer text reader on any bytes: never reads past its input, and what it accepts
// reads back to the same value from its decimal text.
#include "common/IntegerText.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto value = tarvix::ReadIntegerText(text);
    if (value) {
        const auto again = tarvix::ReadIntegerText(std::to_string(*value));
        if (!again || *again != *value) {
            std::abort();
        }
    }
    return 0;
}
