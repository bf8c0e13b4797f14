// Process-wide state of the server module, shared by every extension object.
#pragma once
#include <string>
#include <vector>

namespace tarvix {

// Full paths of the selected objects, in the shell's drop-list order, duplicates kept.
std::vector<std::string>& SelectionList();

// Count of running commands; while above zero Initialize refuses.
int BusyCounter();
void RaiseBusy();
void LowerBusy();

} // namespace tarvix
