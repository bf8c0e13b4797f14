#include "BatchRun.h"

namespace tarvix {

void RunBatch(BatchWindow& window, std::size_t count,
              const std::function<BatchObject(std::size_t index)>& name,
              const std::function<bool(std::size_t index, bool shown)>& handle) {
    window.Begin(count);
    for (std::size_t index = 0; index < count; ++index) {
        if (window.ShouldStop()) {
            return;
        }
        const BatchObject object = name(index);
        const bool shown = window.ShowObject(index, count, object.source, object.destination);
        if (!handle(index, shown)) {
            return;
        }
        window.Step();
    }
    window.Finish();
}

void RunTransferBatch(BatchWindow& window, FileSystem& files, const std::vector<Transfer>& objects,
                      bool move) {
    TransferEngine engine(files, window);
    RunBatch(
        window, objects.size(),
        [&](std::size_t index) {
            const Transfer& object = objects[index];
            return BatchObject{object.shownSource.empty() ? object.source : object.shownSource,
                               object.shownDestination.empty() ? object.destination
                                                               : object.shownDestination};
        },
        [&](std::size_t index, bool) { return engine.TransferObject(objects[index], move); });
}

} // namespace tarvix
