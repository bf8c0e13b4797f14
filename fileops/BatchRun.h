// The one frame of every batch on the progress window (Copy as, Move as, the rename series,
// the time stamps): the bar runs from one step to the number of objects + 1, each object is
// named in the window and handled in list order, and the user may stop before any object.
// No platform calls.
#pragma once
#include "BatchWindow.h"
#include "Transfer.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvix {

class FileSystem;

// How the window names one object: its path, and what the destination field shows for it
// (nothing leaves the field as it is).
struct BatchObject {
    std::wstring source;
    std::optional<std::wstring> destination;
};

// `handle(index, shown)` works on object `index`; `shown` tells whether the window was just
// brought to screen for it. False from `handle`, or the user's stop, ends the batch before the
// bar steps again.
void RunBatch(BatchWindow& window, std::size_t count,
              const std::function<BatchObject(std::size_t index)>& name,
              const std::function<bool(std::size_t index, bool shown)>& handle);

// Copies or moves each object to its destination through the engine, asking before every
// replacement until the user answers Yes to All.
void RunTransferBatch(BatchWindow& window, FileSystem& files, const std::vector<Transfer>& objects,
                      bool move);

} // namespace tarvix
