#include "stamp/StampDate.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

TEST(StampDate, LeapDaysAndTheLastDayOfEachMonth) {
    struct Row {
        int year, month, day;
        bool valid;
    };
    // The 29th of February only in leap years; then each month's last day, and months, days
    // and years out of range.
    const Row rows[] = {
        {2000, 2, 29, true},  {2004, 2, 29, true},  {2096, 2, 29, true},  {2100, 2, 29, false},
        {2001, 2, 29, false}, {2001, 2, 28, true},  {2000, 2, 30, false}, {2000, 4, 31, false},
        {2000, 4, 30, true},  {2000, 6, 31, false}, {2000, 9, 31, false}, {2000, 11, 31, false},
        {2000, 12, 31, true}, {2107, 7, 31, true},  {2000, 0, 1, false},  {2000, 13, 1, false},
        {2000, 1, 0, false},  {0, 1, 1, false},     {10000, 1, 1, false}};
    for (const Row& row : rows) {
        EXPECT_EQ(IsValidDate(row.year, row.month, row.day), row.valid)
            << row.year << '-' << row.month << '-' << row.day;
    }
}

} // namespace
} // namespace tarvix
