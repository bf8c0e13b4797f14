// The calendar test the time-stamp dialog makes when OK is pressed.
#pragma once

namespace tarvix {

// Divisible by 4 and not by 100, or divisible by 400.
bool IsLeapYear(int year);
// Year 1..9999, month 1..12, and a day that the month has in that year.
bool IsValidDate(int year, int month, int day);

} // namespace tarvix
