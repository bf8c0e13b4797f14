// The command line that opens the system's command interpreter in an object's folder.
// No platform calls.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

namespace tarvix {

// The buffer the command line is built in, its terminating NUL included: room for the system
// folder and the object's folder, each of up to MAX_PATH characters, with the interpreter's
// name and switches.
constexpr std::size_t kCommandLineBufferSize = 533;

// On the NT family: `programFolder` (the system folder) + "\cmd.exe /k pushd " + the folder in
// double quotes. Otherwise `programFolder` (the Windows folder) + "\command.com /k"; that
// interpreter starts in the current folder instead. Nothing when the line and its NUL would
// not fit the buffer.
std::optional<std::string> PromptCommandLine(bool ntFamily, const std::string& programFolder,
                                             const std::string& objectFolder);

} // namespace tarvix
