// The local clock, and local dates and times turned into file times in UTC.
#pragma once
#include "Win.h"

#include <optional>

namespace tarvix {

// The current local date and time of the system clock.
SYSTEMTIME LocalNow();
#ifdef TARVIX_TEST_SEAMS
// Test seam: a fixed clock, or the system's again with nothing.
void OverrideLocalNow(std::optional<SYSTEMTIME> now);
#endif

// The local date and time as a file time in UTC, with the time-zone rules in force on that
// date (not the offset of today, nor this year's daylight saving dates), so the stamp shows as
// entered in winter and summer and in years whose rules were other.
// False when the date and time cannot be converted.
bool LocalTimeToFileTime(const SYSTEMTIME& local, FILETIME& utc);

} // namespace tarvix
