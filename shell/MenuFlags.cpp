#include "MenuFlags.h"

namespace tarvix {
namespace {

constexpr std::uint32_t kDefaultOnly = 0x1;
constexpr std::uint32_t kVerbsOnly = 0x2;
constexpr std::uint32_t kExplore = 0x4;
constexpr std::uint32_t kNoVerbs = 0x8;

} // namespace

bool ShouldAddMenuBlock(std::uint32_t flags) {
    if ((flags & kExplore) != 0) {
        return true;
    }
    return (flags & (kDefaultOnly | kVerbsOnly | kNoVerbs)) == 0;
}

} // namespace tarvix
