#include "LocalTime.h"

namespace tarvix {

#ifdef TARVIX_TEST_SEAMS
namespace {

std::optional<SYSTEMTIME> g_fixedNow;

} // namespace

void OverrideLocalNow(std::optional<SYSTEMTIME> now) {
    g_fixedNow = now;
}
#endif

SYSTEMTIME LocalNow() {
#ifdef TARVIX_TEST_SEAMS
    if (g_fixedNow) {
        return *g_fixedNow;
    }
#endif
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now;
}

namespace {

using LocalToUniversalEx = BOOL(WINAPI*)(const DYNAMIC_TIME_ZONE_INFORMATION*, const SYSTEMTIME*,
                                         LPSYSTEMTIME);

// Windows 7 and later have it; Wine 8 does not.
LocalToUniversalEx FindLocalToUniversalEx() {
    const FARPROC found =
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "TzSpecificLocalTimeToSystemTimeEx");
    return reinterpret_cast<LocalToUniversalEx>(reinterpret_cast<void (*)()>(found));
}

// A zone's daylight saving dates have changed over the years (the United States' in 2007):
// the zone's own rules for the date's year, not this year's, say which offset was in force.
bool LocalToUniversal(const SYSTEMTIME& local, SYSTEMTIME& universal) {
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    if (::GetDynamicTimeZoneInformation(&zone) != TIME_ZONE_ID_INVALID) {
        static const LocalToUniversalEx localToUniversalEx = FindLocalToUniversalEx();
        if (localToUniversalEx != nullptr) {
            return localToUniversalEx(&zone, &local, &universal) != FALSE;
        }
        TIME_ZONE_INFORMATION rulesOfTheYear{};
        if (::GetTimeZoneInformationForYear(local.wYear, &zone, &rulesOfTheYear)) {
            return ::TzSpecificLocalTimeToSystemTime(&rulesOfTheYear, &local, &universal) != FALSE;
        }
    }
    return ::TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) != FALSE;
}

} // namespace

bool LocalTimeToFileTime(const SYSTEMTIME& local, FILETIME& utc) {
    SYSTEMTIME universal;
    return LocalToUniversal(local, universal) && ::SystemTimeToFileTime(&universal, &utc) != FALSE;
}

} // namespace tarvix
