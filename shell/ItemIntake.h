// Reading the shell items the first menu is given: which have a file-system path, and the paths.
#pragma once
#include "DropList.h"
#include "FirstMenuState.h"
#include "platform/Win.h"

#include <shobjidl.h>

#include <string>
#include <vector>

namespace tarvix {

struct ItemSelection {
    PackedNames paths;                     // the items' file-system paths, in array order
    std::vector<std::wstring> withoutPath; // the shell's names of the items that have none
};

// Every item's file-system path (SIGDN_FILESYSPATH), or its name when it has none.
HRESULT ReadItemSelection(IShellItemArray* items, ItemSelection& taken);

// What the shell already knows of the items: whether each has a file-system path. Items only
// a slow look can tell are looked at when `okToBeSlow`; the look stops at the first item that
// has no path.
HRESULT CountItemKinds(IShellItemArray* items, bool okToBeSlow, ItemCounts& counts);

} // namespace tarvix
