#include "shell/MenuTable.h"
#include "strings/RSUnit.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

TEST(MenuTable, FlagRuleAddsTheBlockForNormalAndExploreMenus) {
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

TEST(MenuTable, TwoCommandsInTheShellMenuAndTenInTheSubmenu) {
    for (unsigned index = 0; index < kCommandCount; ++index) {
        const MenuCommand& command = CommandAt(index);
        EXPECT_EQ(command.index, index);
        EXPECT_EQ(command.place, index < 2 ? MenuPlace::ShellMenu : MenuPlace::Submenu);
        EXPECT_EQ(command.menuTextId, IDS_MENU_FIRST + index);
        EXPECT_EQ(command.helpTextId, IDS_HELP_FIRST + index);
    }
}

} // namespace
} // namespace tarvix
