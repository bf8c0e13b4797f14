#include "BatchRun.h"

#include "Progress.h"
#include "Transfer.h"

namespace tarvix {

void RunBatch(TFormProgress& window, std::size_t count,
              const std::function<BatchObject(std::size_t index)>& name,
              const std::function<bool(std::size_t index, bool shown)>& handle) {
    window.SetMax(static_cast<int>(count) + 1);
    window.Show();
    window.Step();
    for (std::size_t index = 0; index < count; ++index) {
        BatchObject object = name(index);
        window.SetSource(object.source);
        if (object.destination) {
            window.SetDestination(*object.destination);
        }
        const bool shown = window.RepaintForObject(index, count);
        if (!handle(index, shown)) {
            return;
        }
        window.Step();
    }
    window.RepaintProgressBar();
}

void RunTransferBatch(TFormProgress& window, const std::vector<Transfer>& objects, bool move) {
    TransferEngine engine(window);
    RunBatch(
        window, objects.size(),
        [&](std::size_t index) {
            return BatchObject{objects[index].source, objects[index].destination};
        },
        [&](std::size_t index, bool) {
            return engine.TransferObject(objects[index].source, objects[index].destination, move);
        });
}

} // namespace tarvix
