// The command line that opens the system's command interpreter in an object's folder.
// No platform calls.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

namespace tarvix {

// The longest command line a program can be started with, its terminating NUL included.
constexpr std::size_t kCommandLineLimit = 32767;

// On the NT family: `programFolder` (the system folder) + "\cmd.exe /k pushd " + the folder in
// double quotes. Otherwise `programFolder` (the Windows folder) + "\command.com /k"; that
// interpreter starts in the current folder instead. Nothing when the line and its NUL would
// pass the limit.
std::optional<std::wstring> PromptCommandLine(bool ntFamily, const std::wstring& programFolder,
                                              const std::wstring& objectFolder);

} // namespace tarvix
