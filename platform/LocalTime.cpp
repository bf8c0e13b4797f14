#include "LocalTime.h"

namespace tarvix {
namespace {

std::optional<SYSTEMTIME> g_fixedNow;

} // namespace

SYSTEMTIME LocalNow() {
    if (g_fixedNow) {
        return *g_fixedNow;
    }
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now;
}

void OverrideLocalNow(std::optional<SYSTEMTIME> now) {
    g_fixedNow = now;
}

bool LocalTimeToFileTime(const SYSTEMTIME& local, FILETIME& utc) {
    SYSTEMTIME universal;
    return ::TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) != FALSE &&
           ::SystemTimeToFileTime(&universal, &utc) != FALSE;
}

} // namespace tarvix
