// Whether the first menu shows its commands for a selection, decided from what is known of each
// item. No platform calls.
#pragma once
#include <cstddef>

namespace tarvix {

enum class FirstMenuState { Enabled, Hidden, Pending };

struct ItemCounts {
    std::size_t fileSystem = 0;    // items known to have a file-system path
    std::size_t notFileSystem = 0; // items known to have none
    std::size_t unknown = 0;       // items that only a slow look can tell
};

// Hidden for an empty selection, or one with an item that has no file-system path, even
// while others are unknown; Pending while some are unknown and a slow look is not allowed;
// after a slow look, an item that is still unknown hides the commands.
FirstMenuState DecideFirstMenuState(const ItemCounts& items, bool okToBeSlow);

} // namespace tarvix
