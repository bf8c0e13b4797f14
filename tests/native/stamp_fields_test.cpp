#include "stamp/StampFields.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

std::string Shown(StampField field, const char* typed) {
    const auto checked = CheckFieldText(field, typed);
    return checked ? checked->text : "<last good>";
}

TEST(StampFieldCheck, ClampsPadsAndLowersAsTheFieldsShowIt) {
    EXPECT_EQ(Shown(StampField::Day, "45"), "31");
    EXPECT_EQ(Shown(StampField::Day, "0"), "1");
    EXPECT_EQ(Shown(StampField::Month, "13"), "12");
    EXPECT_EQ(Shown(StampField::Year, "1975"), "1980");
    EXPECT_EQ(Shown(StampField::Year, "9999"), "2107");
    EXPECT_EQ(Shown(StampField::Hour, "-3"), "0");
    EXPECT_EQ(Shown(StampField::Hour, "23"), "23");
    EXPECT_EQ(Shown(StampField::Minute, "7"), "07");
    EXPECT_EQ(Shown(StampField::Minute, "75"), "59");
    EXPECT_EQ(Shown(StampField::Minute, "0"), "00");
    EXPECT_EQ(Shown(StampField::Second, "59"), "58");
    EXPECT_EQ(Shown(StampField::Second, "7"), "06");
    EXPECT_EQ(Shown(StampField::Second, "99"), "58");
    EXPECT_EQ(Shown(StampField::Second, "-3"), "00");
    EXPECT_EQ(Shown(StampField::Second, "1"), "00");
    // The integer text of the dialogs: blanks, sign and hexadecimal forms count.
    EXPECT_EQ(Shown(StampField::Day, " +5"), "5");
    EXPECT_EQ(Shown(StampField::Day, "$a"), "10");
    EXPECT_EQ(Shown(StampField::Minute, "0x3"), "03");
    const auto year = CheckFieldText(StampField::Year, "2024");
    ASSERT_TRUE(year);
    EXPECT_EQ(year->position, 2024);
    EXPECT_EQ(CheckFieldText(StampField::Second, "35")->position, 34);
}

TEST(StampFieldCheck, UnreadableTextsGiveTheLastGoodTextBack) {
    for (const char* typed : {"ab", "", " ", "1a", "5 ", "-", "$", "1.", "99999999999"}) {
        EXPECT_FALSE(CheckFieldText(StampField::Day, typed)) << '"' << typed << '"';
        EXPECT_FALSE(CheckFieldText(StampField::Second, typed)) << '"' << typed << '"';
    }
}

TEST(StampFieldSpin, ArrowsStepAndWrapAtBothLimits) {
    EXPECT_EQ(StepWrapped(StampField::Day, 31, true), 1);
    EXPECT_EQ(StepWrapped(StampField::Day, 1, false), 31);
    EXPECT_EQ(StepWrapped(StampField::Day, 14, true), 15);
    EXPECT_EQ(StepWrapped(StampField::Month, 12, true), 1);
    EXPECT_EQ(StepWrapped(StampField::Year, 1980, false), 2107);
    EXPECT_EQ(StepWrapped(StampField::Year, 2107, true), 1980);
    EXPECT_EQ(StepWrapped(StampField::Hour, 0, false), 23);
    EXPECT_EQ(StepWrapped(StampField::Minute, 59, true), 0);
    EXPECT_EQ(StepWrapped(StampField::Second, 58, true), 0);
    EXPECT_EQ(StepWrapped(StampField::Second, 0, false), 58);
    EXPECT_EQ(StepWrapped(StampField::Second, 30, true), 32);
    EXPECT_EQ(StepWrapped(StampField::Second, 30, false), 28);
}

} // namespace
} // namespace tarvix
