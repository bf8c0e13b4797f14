#include "stamp/StampDate.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

TEST(StampDate, TwentyNinthOfFebruaryOnlyInLeapYears) {
    EXPECT_TRUE(IsValidDate(2000, 2, 29));
    EXPECT_TRUE(IsValidDate(2004, 2, 29));
    EXPECT_TRUE(IsValidDate(2096, 2, 29));
    EXPECT_FALSE(IsValidDate(2100, 2, 29));
    EXPECT_FALSE(IsValidDate(2001, 2, 29));
    EXPECT_TRUE(IsValidDate(2001, 2, 28));
    EXPECT_FALSE(IsValidDate(2000, 2, 30));
}

TEST(StampDate, EachMonthHasItsOwnLastDay) {
    EXPECT_FALSE(IsValidDate(2000, 4, 31));
    EXPECT_TRUE(IsValidDate(2000, 4, 30));
    EXPECT_FALSE(IsValidDate(2000, 6, 31));
    EXPECT_FALSE(IsValidDate(2000, 9, 31));
    EXPECT_FALSE(IsValidDate(2000, 11, 31));
    EXPECT_TRUE(IsValidDate(2000, 12, 31));
    EXPECT_TRUE(IsValidDate(2107, 7, 31));
    EXPECT_FALSE(IsValidDate(2000, 0, 1));
    EXPECT_FALSE(IsValidDate(2000, 13, 1));
    EXPECT_FALSE(IsValidDate(2000, 1, 0));
    EXPECT_FALSE(IsValidDate(0, 1, 1));
    EXPECT_FALSE(IsValidDate(10000, 1, 1));
}

} // namespace
} // namespace tarvix
