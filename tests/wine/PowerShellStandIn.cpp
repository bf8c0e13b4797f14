// Stands in for powershell.exe in the installer test's prefix (Wine's own is an empty stub):
// appends its command line to the file named by TARVIX_POWERSHELL_LOG, noting whether the
// script after -File still exists, and ends with the exit code in TARVIX_POWERSHELL_EXIT.
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>

int wmain() {
    std::wstring line = GetCommandLineW();
    const wchar_t* file = std::wcsstr(line.c_str(), L" -File \"");
    const wchar_t* end = file != nullptr ? std::wcschr(file + 8, L'"') : nullptr;
    if (end != nullptr) {
        const std::wstring script(file + 8, end);
        line += GetFileAttributesW(script.c_str()) != INVALID_FILE_ATTRIBUTES
                    ? L" [script present]"
                    : L" [script missing]";
    }
    line += L"\r\n";
    wchar_t log[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"TARVIX_POWERSHELL_LOG", log, MAX_PATH) > 0) {
        HANDLE out = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr,
                                             nullptr);
        std::string bytes(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, bytes.data(), size, nullptr, nullptr);
        DWORD written = 0;
        WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size() - 1), &written, nullptr);
        CloseHandle(out);
    }
    wchar_t exitCode[16] = {};
    GetEnvironmentVariableW(L"TARVIX_POWERSHELL_EXIT", exitCode, 16);
    std::wprintf(L"stand-in powershell\n");
    return std::wcstol(exitCode, nullptr, 10);
}
