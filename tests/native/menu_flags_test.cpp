#include "shell/MenuFlags.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

TEST(MenuFlags, FlagRuleAddsTheBlockForNormalAndExploreMenus) {
    for (std::uint32_t flags : {0x0u, 0x4u, 0x5u, 0xFu, 0x10u, 0x100u}) {
        EXPECT_TRUE(ShouldAddMenuBlock(flags)) << std::hex << flags;
    }
    for (std::uint32_t flags : {0x1u, 0x2u, 0x8u, 0x1u | 0x100u}) {
        EXPECT_FALSE(ShouldAddMenuBlock(flags)) << std::hex << flags;
    }
}

} // namespace
} // namespace tarvix
