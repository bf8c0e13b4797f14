#include "CopyProgress.h"

#include <utility>

namespace tarvix {
namespace {

// A range of messages that nothing posts: the look at the queue takes nothing off it, yet the
// system counts the thread as one that looks.
constexpr UINT kNoMessage = WM_APP + 0x3F17;

} // namespace

CopyProgressPacer::CopyProgressPacer(std::function<void()> progress)
    : progress_(std::move(progress)), last_(::GetTickCount64()) {}

void CopyProgressPacer::Tick() {
    const ULONGLONG now = ::GetTickCount64();
    if (now - last_ < kIntervalMs) {
        return;
    }
    last_ = now;
    MSG message;
    ::PeekMessageW(&message, nullptr, kNoMessage, kNoMessage, PM_NOREMOVE);
    if (progress_) {
        progress_();
    }
}

DWORD CALLBACK CopyProgressPacer::Routine(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER,
                                          LARGE_INTEGER, DWORD, DWORD, HANDLE, HANDLE,
                                          LPVOID pacer) {
    // No exception may leave the system's copy: the repaint's failure only ends the repaints.
    try {
        static_cast<CopyProgressPacer*>(pacer)->Tick();
    } catch (...) {
        static_cast<CopyProgressPacer*>(pacer)->progress_ = nullptr;
    }
    return PROGRESS_CONTINUE;
}

} // namespace tarvix
