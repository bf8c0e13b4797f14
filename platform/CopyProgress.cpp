#include "CopyProgress.h"

namespace tarvix {

DWORD CALLBACK CopyProgressRelay::Routine(LARGE_INTEGER total, LARGE_INTEGER done, LARGE_INTEGER,
                                          LARGE_INTEGER, DWORD, DWORD, HANDLE, HANDLE,
                                          LPVOID data) {
    auto& relay = *static_cast<CopyProgressRelay*>(data);
    if (relay.broken_ || !relay.tick_) {
        return PROGRESS_CONTINUE;
    }
    // No exception may leave the system's copy: a failing tick only ends the ticks.
    try {
        const bool goOn = relay.tick_(static_cast<std::uint64_t>(done.QuadPart),
                                      static_cast<std::uint64_t>(total.QuadPart));
        return goOn ? PROGRESS_CONTINUE : PROGRESS_CANCEL;
    } catch (...) {
        relay.broken_ = true;
    }
    return PROGRESS_CONTINUE;
}

} // namespace tarvix
