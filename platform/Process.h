// Starting other programs: a command line (WinExec) and a file or web address opened with the
// program the system associates with it (ShellExecuteA). The tests' build records the starts
// instead.
#pragma once
#include "Win.h"

#include <string>
#include <vector>

namespace tarvix {

// GetSystemDirectoryA and GetWindowsDirectoryA; empty when the folder does not fit MAX_PATH.
std::string SystemFolder();
std::string WindowsFolder();
// The host process's current folder, for programs that start where their parent stands.
bool SetCurrentFolder(const std::string& folder);

// WinExec: above 31 when the program started.
UINT StartProgram(const std::string& commandLine, UINT show);
// ShellExecuteA with no parameters and no working folder: above 32 when it opened,
// SE_ERR_FNF (2) when the file does not exist.
INT_PTR OpenWithSystem(HWND owner, const std::string& verb, const std::string& target, int show);

#ifdef TARVIX_TEST_SEAMS
struct RecordedStart {
    std::string target; // the command line, or the file or address
    std::string verb;   // empty for a command line
    HWND owner = nullptr;
    int show = 0;
};

// Test seam: from now on starts are recorded and not made. A command line answers
// `programResult`; a file or address answers as the system would without opening anything:
// SE_ERR_FNF for a file that does not exist, success otherwise.
void RecordStartsInstead(UINT programResult = 33);
// Ends the recording and forgets what was recorded: starts are made again.
void StartForReal();
const std::vector<RecordedStart>& RecordedStarts();
#endif

} // namespace tarvix
