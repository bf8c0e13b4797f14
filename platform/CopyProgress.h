// CopyFileEx's progress routine, passed on to the engine's copy tick: how far the file is, and
// whether the user stopped the copy. The system calls it once a chunk (a megabyte or so), so a
// long copy is never a long time away from the window's queue.
#pragma once
#include "FileSystem.h"
#include "Win.h"

namespace tarvix {

class CopyProgressRelay {
  public:
    explicit CopyProgressRelay(const CopyTick& tick) : tick_(tick) {}

    // The progress routine, with the relay as its data: PROGRESS_CANCEL once the tick says
    // stop, which makes the system remove what it wrote.
    static DWORD CALLBACK Routine(LARGE_INTEGER total, LARGE_INTEGER done, LARGE_INTEGER,
                                  LARGE_INTEGER, DWORD, DWORD, HANDLE, HANDLE, LPVOID relay);

  private:
    const CopyTick& tick_;
    bool broken_ = false;
};

} // namespace tarvix
