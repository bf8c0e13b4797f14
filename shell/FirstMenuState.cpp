#include "FirstMenuState.h"

namespace tarvix {

FirstMenuState DecideFirstMenuState(const ItemCounts& items, bool okToBeSlow) {
    if (items.notFileSystem > 0 || items.fileSystem + items.unknown == 0) {
        return FirstMenuState::Hidden;
    }
    if (items.unknown > 0) {
        // After a slow look, an item still unknown could not be told at all.
        return okToBeSlow ? FirstMenuState::Hidden : FirstMenuState::Pending;
    }
    return FirstMenuState::Enabled;
}

} // namespace tarvix
