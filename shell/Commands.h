// The command routines the dispatcher runs, one per menu command.
#pragma once

namespace tarvix {

void RunCopyMoveAsCommand(bool move);  // 0 and 1
void RunRenameSeriesCommand();         // 2
void RunTimeStampCommand();            // 3
void ChangeCase(int style);            // 4..7, styles 1..4
void NamesToClipboard(bool namesOnly); // 8 and 9
void OpenCommandPrompt();              // 10
void OpenHelp();                       // 11

} // namespace tarvix
