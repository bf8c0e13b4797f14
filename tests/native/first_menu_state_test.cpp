#include "shell/FirstMenuState.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

TEST(FirstMenuState, AnItemWithoutAPathHidesEvenWhileOthersAreUnknown) {
    using S = FirstMenuState;
    struct Row {
        ItemCounts items;
        S quick; // okToBeSlow false
        S slow;
    };
    for (const Row& row : {
             Row{{3, 0, 0}, S::Enabled, S::Enabled},
             Row{{0, 0, 0}, S::Hidden, S::Hidden},
             Row{{3, 1, 0}, S::Hidden, S::Hidden},
             Row{{0, 1, 5}, S::Hidden, S::Hidden},
             Row{{3, 0, 2}, S::Pending, S::Hidden},
             Row{{0, 0, 1}, S::Pending, S::Hidden},
         }) {
        const ItemCounts& c = row.items;
        SCOPED_TRACE(testing::Message()
                     << c.fileSystem << "/" << c.notFileSystem << "/" << c.unknown);
        EXPECT_EQ(DecideFirstMenuState(c, false), row.quick);
        EXPECT_EQ(DecideFirstMenuState(c, true), row.slow);
    }
}

} // namespace
} // namespace tarvix
