#include "shell/MenuFlags.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

TEST(MenuFlags, FlagRuleAddsTheBlockForNormalAndExploreMenus) {
    EXPECT_TRUE(ShouldAddMenuBlock(0x0));
    EXPECT_TRUE(ShouldAddMenuBlock(0x4));
    EXPECT_TRUE(ShouldAddMenuBlock(0x5));
    EXPECT_TRUE(ShouldAddMenuBlock(0xF));
    EXPECT_TRUE(ShouldAddMenuBlock(0x10));
    EXPECT_TRUE(ShouldAddMenuBlock(0x100));
    EXPECT_FALSE(ShouldAddMenuBlock(0x1));
    EXPECT_FALSE(ShouldAddMenuBlock(0x2));
    EXPECT_FALSE(ShouldAddMenuBlock(0x8));
    EXPECT_FALSE(ShouldAddMenuBlock(0x1 | 0x100));
}

} // namespace
} // namespace tarvix
