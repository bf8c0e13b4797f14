// Starting other programs: a command line (CreateProcessW) and a file or web address opened with
// the program the system associates with it (ShellExecuteW). The tests' build records the
// starts instead.
#pragma once
#include "Win.h"

#include <string>
#include <vector>

namespace tarvix {

// GetSystemDirectoryW and GetWindowsDirectoryW; empty when the folder cannot be read.
std::wstring SystemFolder();
std::wstring WindowsFolder();
// The host process's current folder, for programs that start where their parent stands.
bool SetCurrentFolder(const std::wstring& folder);

// One more environment variable for a started program, beside those of the host.
struct ChildVariable {
    std::wstring name; // empty: none
    std::wstring value;
};

// Starts the command line with the window shown as `show`, in `currentFolder` (empty: where
// the host stands) and with `variable` in its environment; false when the program did not
// start.
bool StartProgram(const std::wstring& commandLine, WORD show,
                  const std::wstring& currentFolder = std::wstring(),
                  const ChildVariable& variable = ChildVariable());
// ShellExecuteW with no parameters and no working folder: above 32 when it opened,
// SE_ERR_FNF (2) when the file does not exist.
INT_PTR OpenWithSystem(HWND owner, const std::wstring& verb, const std::wstring& target, int show);

#ifdef TARVIX_TEST_SEAMS
struct RecordedStart {
    std::wstring target; // the command line, or the file or address
    std::wstring verb;   // empty for a command line
    HWND owner = nullptr;
    int show = 0;
    std::wstring currentFolder; // of a command line
    ChildVariable variable;
};

// Test seam: from now on starts are recorded and not made. A command line starts when
// `programStarts`; a file or address answers as the system would without opening anything:
// SE_ERR_FNF for a file that does not exist, success otherwise.
void RecordStartsInstead(bool programStarts = true);
// Ends the recording and forgets what was recorded: starts are made again.
void StartForReal();
const std::vector<RecordedStart>& RecordedStarts();
#endif

} // namespace tarvix
