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

bool LocalTimeToFileTime(const SYSTEMTIME& local, FILETIME& utc) {
    SYSTEMTIME universal;
    return ::TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) != FALSE &&
           ::SystemTimeToFileTime(&universal, &utc) != FALSE;
}

} // namespace tarvix
