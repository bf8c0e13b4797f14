// Whether two paths name one object, told by the volume's serial number and the object's ID on
// it. No platform calls.
#pragma once
#include <array>
#include <cstdint>
#include <optional>

namespace tarvix {

struct ObjectId {
    std::uint64_t volume = 0;
    // 128 bits where the volume gives them (ReFS needs all of them); a 64-bit index fills the
    // low half.
    std::array<std::uint8_t, 16> file{};
};

enum class Identity { Same, Different, Unknown };

// Unknown when either ID could not be read or is zero (some file systems give no IDs): never
// taken for the same object.
Identity CompareIds(const std::optional<ObjectId>& first, const std::optional<ObjectId>& second);

} // namespace tarvix
