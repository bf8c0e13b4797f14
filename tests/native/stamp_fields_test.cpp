#include "stamp/StampFields.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

std::wstring Shown(StampField field, const wchar_t* typed) {
    const auto checked = CheckFieldText(field, typed);
    return checked ? checked->text : L"<last good>";
}

TEST(StampFieldCheck, ClampsPadsAndLowersAsTheFieldsShowIt) {
    EXPECT_EQ(Shown(StampField::Day, L"45"), L"31");
    EXPECT_EQ(Shown(StampField::Day, L"0"), L"1");
    EXPECT_EQ(Shown(StampField::Month, L"13"), L"12");
    EXPECT_EQ(Shown(StampField::Year, L"1975"), L"1980");
    EXPECT_EQ(Shown(StampField::Year, L"9999"), L"2107");
    EXPECT_EQ(Shown(StampField::Hour, L"-3"), L"0");
    EXPECT_EQ(Shown(StampField::Hour, L"23"), L"23");
    EXPECT_EQ(Shown(StampField::Minute, L"7"), L"07");
    EXPECT_EQ(Shown(StampField::Minute, L"75"), L"59");
    EXPECT_EQ(Shown(StampField::Minute, L"0"), L"00");
    EXPECT_EQ(Shown(StampField::Second, L"59"), L"58");
    EXPECT_EQ(Shown(StampField::Second, L"7"), L"06");
    EXPECT_EQ(Shown(StampField::Second, L"99"), L"58");
    EXPECT_EQ(Shown(StampField::Second, L"-3"), L"00");
    EXPECT_EQ(Shown(StampField::Second, L"1"), L"00");
    // The integer text of the dialogs: blanks, sign and hexadecimal forms count.
    EXPECT_EQ(Shown(StampField::Day, L" +5"), L"5");
    EXPECT_EQ(Shown(StampField::Day, L"$a"), L"10");
    EXPECT_EQ(Shown(StampField::Minute, L"0x3"), L"03");
    const auto year = CheckFieldText(StampField::Year, L"2024");
    ASSERT_TRUE(year);
    EXPECT_EQ(year->position, 2024);
    EXPECT_EQ(CheckFieldText(StampField::Second, L"35")->position, 34);
}

TEST(StampFieldCheck, UnreadableTextsGiveTheLastGoodTextBack) {
    for (const wchar_t* typed :
         {L"ab", L"", L" ", L"1a", L"5 ", L"-", L"$", L"1.", L"99999999999"}) {
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
