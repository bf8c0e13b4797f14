// What a long file copy does now and then on the command's thread: the shell's window thread
// is away from its queue for as long as a copy of gigabytes takes, and the system marks its
// windows "Not Responding" after a few seconds of that.
#pragma once
#include "Win.h"

#include <functional>

namespace tarvix {

class CopyProgressPacer {
  public:
    // The pause between two calls of `progress` at the least.
    static constexpr ULONGLONG kIntervalMs = 100;

    explicit CopyProgressPacer(std::function<void()> progress);

    // At most every kIntervalMs: looks at the thread's queue without taking anything off it
    // (no input, no posted message is handled), then calls `progress`.
    void Tick();

    // CopyFileEx's progress routine, with the pacer as its data; always lets the copy go on.
    static DWORD CALLBACK Routine(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, DWORD,
                                  DWORD, HANDLE, HANDLE, LPVOID pacer);

  private:
    std::function<void()> progress_;
    ULONGLONG last_;
};

} // namespace tarvix
