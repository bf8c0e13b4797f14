#include "Process.h"

#include "Handles.h"
#include "LongPath.h"
#include "SizedText.h"

#include <cwchar>
#include <optional>
#include <string_view>

namespace tarvix {
namespace {

#ifdef TARVIX_TEST_SEAMS
std::optional<bool> g_programStarts;
std::vector<RecordedStart> g_recorded;

bool IsWebAddress(const std::wstring& target) {
    return target.find(L"://") != std::wstring::npos;
}
#endif

// CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN: variable names compare without regard to case.
int CompareNames(std::wstring_view left, std::wstring_view right) {
    return ::CompareStringOrdinal(left.data(), static_cast<int>(left.size()), right.data(),
                                  static_cast<int>(right.size()), TRUE);
}

// The host's environment block with `variable` set, in the order the platform keeps (names
// sorted without regard to case; the hidden "=C:" entries first).
std::wstring EnvironmentWith(const ChildVariable& variable) {
    const std::wstring added = variable.name + L"=" + variable.value;
    std::wstring block;
    bool placed = false;
    wchar_t* host = ::GetEnvironmentStringsW();
    for (const wchar_t* entry = host; entry != nullptr && *entry != L'\0';
         entry += std::wcslen(entry) + 1) {
        const std::wstring_view text(entry);
        const std::wstring_view name = text.substr(0, text.find(L'=', 1));
        if (CompareNames(name, variable.name) == CSTR_EQUAL) {
            continue;
        }
        if (!placed && text.front() != L'=' &&
            CompareNames(name, variable.name) == CSTR_GREATER_THAN) {
            block.append(added).push_back(L'\0');
            placed = true;
        }
        block.append(text).push_back(L'\0');
    }
    if (host != nullptr) {
        ::FreeEnvironmentStringsW(host);
    }
    if (!placed) {
        block.append(added).push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

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

bool StartProgram(const std::wstring& commandLine, WORD show, const std::wstring& currentFolder,
                  const ChildVariable& variable) {
#ifdef TARVIX_TEST_SEAMS
    if (g_programStarts) {
        g_recorded.push_back(
            RecordedStart{commandLine, std::wstring(), nullptr, show, currentFolder, variable});
        return *g_programStarts;
    }
#endif
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION started{};
    std::wstring line = commandLine; // CreateProcessW may write into it
    std::wstring environment;
    if (!variable.name.empty()) {
        environment = EnvironmentWith(variable);
    }
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                          environment.empty() ? nullptr : environment.data(),
                          currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup,
                          &started)) {
        return false;
    }
    FileHandle process(started.hProcess);
    FileHandle thread(started.hThread);
    return true;
}

INT_PTR OpenWithSystem(HWND owner, const std::wstring& verb, const std::wstring& target, int show) {
#ifdef TARVIX_TEST_SEAMS
    if (g_programStarts) {
        g_recorded.push_back(
            RecordedStart{target, verb, owner, show, std::wstring(), ChildVariable()});
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
