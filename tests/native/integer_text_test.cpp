#include "common/IntegerText.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tarvix {
namespace {

TEST(IntegerText, ReadsDecimalAndHexadecimalForms) {
    const std::pair<const wchar_t*, std::int32_t> read[] = {
        {L"12", 12},  {L" 12", 12},  {L"+7", 7},    {L"-3", -3},  {L"007", 7},
        {L"$10", 16}, {L"0x10", 16}, {L"0X1f", 31}, {L"x10", 16}, {L"X10", 16}};
    for (const auto& [text, value] : read) {
        EXPECT_EQ(ReadIntegerText(text), value) << '"' << text << '"';
    }
    EXPECT_EQ(ReadIntegerText(L"2147483647"), INT32_MAX);
    EXPECT_EQ(ReadIntegerText(L"-2147483648"), INT32_MIN);
}

TEST(IntegerText, RefusesEverythingElse) {
    for (const wchar_t* text :
         {L"", L"   ", L"1a", L"1 ", L"-$10", L"+0x1", L"$", L"0x", L"+", L"-", L"1.5",
          L"2147483648", L"-2147483649", L"99999999999999999999", L"\t1", L"0x1g", L"$100000000",
          // Units whose low byte is an ASCII digit or prefix, and digits of other scripts.
          L"\u0131\u0132",
          L"\u0124"
          L"1f",
          L"\uff11", L"\u0661"}) {
        EXPECT_FALSE(ReadIntegerText(text).has_value()) << '"' << text << '"';
    }
}

} // namespace
} // namespace tarvix
