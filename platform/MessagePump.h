// How a long task on the shell's thread keeps looking at its queue: the messages of its own
// window run (its buttons, keys and paints), everything else waits for the shell's loop.
#pragma once
#include "Win.h"

namespace tarvix {

// Lets the waiting messages of `window` and its controls run, and looks at the rest of the
// queue without taking anything off it, so that the system does not take the thread for hung.
// True when a quit message was met; it is posted again for the shell's loop.
bool PumpWindowMessages(HWND window);

#ifdef TARVIX_TEST_SEAMS
// Test seam: the longest time between two pumps, the reset and now, in milliseconds.
void ResetLongestQueueGap();
unsigned long long LongestQueueGapMs();
#endif

} // namespace tarvix
