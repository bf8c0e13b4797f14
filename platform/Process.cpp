#include "Process.h"

#include "Handles.h"
#include "LongPath.h"
#include "SizedText.h"

#include <optional>

namespace tarvix {
namespace {

#ifdef TARVIX_TEST_SEAMS
std::optional<bool> g_programStarts;
std::vector<RecordedStart> g_recorded;

bool IsWebAddress(const std::wstring& target) {
    return target.find(L"://") != std::wstring::npos;
}
#endif

} // namespace

std::wstring SystemFolder() {
    return SizedText(::GetSystemDirectoryW);
}

std::wstring WindowsFolder() {
    return SizedText(::GetWindowsDirectoryW);
}

bool SetCurrentFolder(const std::wstring& folder) {
    return ::SetCurrentDirectoryW(folder.c_str()) != FALSE;
}

bool StartProgram(const std::wstring& commandLine, WORD show) {
#ifdef TARVIX_TEST_SEAMS
    if (g_programStarts) {
        g_recorded.push_back(RecordedStart{commandLine, std::wstring(), nullptr, show});
        return *g_programStarts;
    }
#endif
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION started{};
    std::wstring line = commandLine; // CreateProcessW may write into it
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        return false;
    }
    FileHandle process(started.hProcess);
    FileHandle thread(started.hThread);
    return true;
}

INT_PTR OpenWithSystem(HWND owner, const std::wstring& verb, const std::wstring& target, int show) {
#ifdef TARVIX_TEST_SEAMS
    if (g_programStarts) {
        g_recorded.push_back(RecordedStart{target, verb, owner, show});
        const bool missing =
            !IsWebAddress(target) &&
            ::GetFileAttributesW(ExtendedPath(target).c_str()) == INVALID_FILE_ATTRIBUTES;
        return missing ? SE_ERR_FNF : 42;
    }
#endif
    return reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(owner, verb.c_str(), target.c_str(), nullptr, nullptr, show));
}

#ifdef TARVIX_TEST_SEAMS
void RecordStartsInstead(bool programStarts) {
    g_programStarts = programStarts;
    g_recorded.clear();
}

void StartForReal() {
    g_programStarts.reset();
    g_recorded.clear();
}

const std::vector<RecordedStart>& RecordedStarts() {
    return g_recorded;
}
#endif

} // namespace tarvix
