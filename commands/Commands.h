// The command routines the dispatcher runs, one per menu command, each on the selection of the
// extension object whose menu it was chosen from.
#pragma once
#include <string>
#include <vector>

namespace tarvix {

using Paths = std::vector<std::wstring>;

void RunCopyMoveAsCommand(const Paths& selection, bool move);  // 0 and 1
void RunRenameSeriesCommand(const Paths& selection);           // 2
void RunTimeStampCommand(const Paths& selection);              // 3
void ChangeCase(const Paths& selection, int style);            // 4..7, styles 1..4
void NamesToClipboard(const Paths& selection, bool namesOnly); // 8 and 9
void OpenCommandPrompt(const Paths& selection);                // 10
void OpenHelp();                                               // 11

} // namespace tarvix
