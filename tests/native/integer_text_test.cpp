#include "common/IntegerText.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

TEST(IntegerText, ReadsDecimalAndHexadecimalForms) {
    EXPECT_EQ(ReadIntegerText("12"), 12);
    EXPECT_EQ(ReadIntegerText(" 12"), 12);
    EXPECT_EQ(ReadIntegerText("+7"), 7);
    EXPECT_EQ(ReadIntegerText("-3"), -3);
    EXPECT_EQ(ReadIntegerText("007"), 7);
    EXPECT_EQ(ReadIntegerText("$10"), 16);
    EXPECT_EQ(ReadIntegerText("0x10"), 16);
    EXPECT_EQ(ReadIntegerText("0X1f"), 31);
    EXPECT_EQ(ReadIntegerText("x10"), 16);
    EXPECT_EQ(ReadIntegerText("X10"), 16);
    EXPECT_EQ(ReadIntegerText("2147483647"), 2147483647);
    EXPECT_EQ(ReadIntegerText("-2147483648"), -2147483647 - 1);
}

TEST(IntegerText, RefusesEverythingElse) {
    for (const char* text :
         {"", "   ", "1a", "1 ", "-$10", "+0x1", "$", "0x", "+", "-", "1.5", "2147483648",
          "-2147483649", "99999999999999999999", "\t1", "0x1g", "$100000000"}) {
        EXPECT_FALSE(ReadIntegerText(text).has_value()) << '"' << text << '"';
    }
}

} // namespace
} // namespace tarvix
