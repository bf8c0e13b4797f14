#include "Process.h"

#include <optional>

namespace tarvix {
namespace {

#ifdef TARVIX_TEST_SEAMS
std::optional<UINT> g_recordedProgramResult;
std::vector<RecordedStart> g_recorded;

bool IsWebAddress(const std::string& target) {
    return target.find("://") != std::string::npos;
}
#endif

std::string FolderFrom(UINT(WINAPI* query)(LPSTR, UINT)) {
    char folder[MAX_PATH] = {};
    const UINT length = query(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string();
}

} // namespace

std::string SystemFolder() {
    return FolderFrom(::GetSystemDirectoryA);
}

std::string WindowsFolder() {
    return FolderFrom(::GetWindowsDirectoryA);
}

bool SetCurrentFolder(const std::string& folder) {
    return ::SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

UINT StartProgram(const std::string& commandLine, UINT show) {
#ifdef TARVIX_TEST_SEAMS
    if (g_recordedProgramResult) {
        g_recorded.push_back(
            RecordedStart{commandLine, std::string(), nullptr, static_cast<int>(show)});
        return *g_recordedProgramResult;
    }
#endif
    return ::WinExec(commandLine.c_str(), show);
}

INT_PTR OpenWithSystem(HWND owner, const std::string& verb, const std::string& target, int show) {
#ifdef TARVIX_TEST_SEAMS
    if (g_recordedProgramResult) {
        g_recorded.push_back(RecordedStart{target, verb, owner, show});
        const bool missing = !IsWebAddress(target) &&
                             ::GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES;
        return missing ? SE_ERR_FNF : 42;
    }
#endif
    return reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(owner, verb.c_str(), target.c_str(), nullptr, nullptr, show));
}

#ifdef TARVIX_TEST_SEAMS
void RecordStartsInstead(UINT programResult) {
    g_recordedProgramResult = programResult;
    g_recorded.clear();
}

void StartForReal() {
    g_recordedProgramResult.reset();
    g_recorded.clear();
}

const std::vector<RecordedStart>& RecordedStarts() {
    return g_recorded;
}
#endif

} // namespace tarvix
