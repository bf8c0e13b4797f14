// Process-wide state of the server module, shared by every extension object.
#pragma once
#include "DropList.h"

#include <string>
#include <vector>

namespace tarvix {

// Full paths of the selected objects, in the shell's drop-list order, duplicates kept.
std::vector<std::string>& SelectionList();
// Replaces the selection (Initialize). Kept packed until a command first reads it, so that
// a right-click on a huge selection costs no per-name allocation.
void ReplaceSelection(PackedNames names);

// Count of running commands; while above zero Initialize refuses.
int BusyCounter();
void RaiseBusy();
void LowerBusy();

} // namespace tarvix
