// The objects one extension object was initialised with: full paths in the shell's drop-list
// order, duplicates kept. Each object keeps its own, so a command runs on the selection of the
// menu it was chosen from, whatever other folder windows selected meanwhile.
#pragma once
#include "DropList.h"
#include "LongNames.h"

#include <string>
#include <vector>

namespace tarvix {

class Selection {
  public:
    Selection() = default;
    Selection(std::vector<std::wstring> paths) : paths_(std::move(paths)) {}

    // Replaces the selection (Initialize). Kept packed until a command first reads it, so that
    // a right-click on a huge selection costs no allocation per name.
    void Replace(PackedNames names);
    const std::vector<std::wstring>& Paths();

    // The paths as a command starts on them: short names lengthened (LengthenShortNames),
    // once per selection. Only paths that hold a '~' pay, and only when a command starts,
    // never while the menu is built.
    const std::vector<std::wstring>& PathsForCommand(const ShortNameLookup& lookup);

  private:
    std::vector<std::wstring> paths_;
    PackedNames pending_;
    bool hasPending_ = false;
    bool lengthened_ = false;
};

} // namespace tarvix
