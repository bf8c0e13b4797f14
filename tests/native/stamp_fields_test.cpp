#include "stamp/StampFields.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tarvix {
namespace {

std::wstring Shown(StampField field, const wchar_t* typed) {
    const auto checked = CheckFieldText(field, typed);
    return checked ? checked->text : L"<last good>";
}

using F = StampField;

// The last rows: the integer text of the dialogs, where blanks, sign and hexadecimal forms count.
TEST(StampFieldCheck, ClampsPadsAndLowersAsTheFieldsShowIt) {
    const std::tuple<StampField, const wchar_t*, const wchar_t*> rows[] = {
        {F::Day, L"45", L"31"},      {F::Day, L"0", L"1"},        {F::Month, L"13", L"12"},
        {F::Year, L"1975", L"1980"}, {F::Year, L"9999", L"2107"}, {F::Hour, L"-3", L"0"},
        {F::Hour, L"23", L"23"},     {F::Minute, L"7", L"07"},    {F::Minute, L"75", L"59"},
        {F::Minute, L"0", L"00"},    {F::Second, L"59", L"58"},   {F::Second, L"7", L"06"},
        {F::Second, L"99", L"58"},   {F::Second, L"-3", L"00"},   {F::Second, L"1", L"00"},
        {F::Day, L" +5", L"5"},      {F::Day, L"$a", L"10"},      {F::Minute, L"0x3", L"03"}};
    for (const auto& [field, typed, shown] : rows) {
        EXPECT_EQ(Shown(field, typed), shown) << static_cast<int>(field) << " \"" << typed << '"';
    }
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
    const std::tuple<StampField, int, bool, int> rows[] = {
        {F::Day, 31, true, 1},     {F::Day, 1, false, 31},       {F::Day, 14, true, 15},
        {F::Month, 12, true, 1},   {F::Year, 1980, false, 2107}, {F::Year, 2107, true, 1980},
        {F::Hour, 0, false, 23},   {F::Minute, 59, true, 0},     {F::Second, 58, true, 0},
        {F::Second, 0, false, 58}, {F::Second, 30, true, 32},    {F::Second, 30, false, 28}};
    for (const auto& [field, position, up, next] : rows) {
        EXPECT_EQ(StepWrapped(field, position, up), next)
            << static_cast<int>(field) << " " << position << (up ? " up" : " down");
    }
}

} // namespace
} // namespace tarvix
