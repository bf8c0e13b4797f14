// The one frame of every batch on the progress window (Copy as, Move as, the rename series,
// the time stamps): the bar runs from one step to the number of objects + 1, each object is
// named in the window, which is brought to screen at a paced rate, and handled in list order.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvix {

class TFormProgress;

// How the window names one object: its path, and what EditCil shows for it (nothing leaves
// EditCil as it is).
struct BatchObject {
    std::wstring source;
    std::optional<std::wstring> destination;
};

// `handle(index, shown)` works on object `index`; `shown` tells whether the window was just
// brought to screen for it. False from `handle` stops the batch before the bar steps again.
void RunBatch(TFormProgress& window, std::size_t count,
              const std::function<BatchObject(std::size_t index)>& name,
              const std::function<bool(std::size_t index, bool shown)>& handle);

// Copies or moves each source to its destination through the engine, asking before every
// replacement until the user answers Yes to All.
struct Transfer {
    std::wstring source;
    std::wstring destination;
};
void RunTransferBatch(TFormProgress& window, const std::vector<Transfer>& objects, bool move);

} // namespace tarvix
