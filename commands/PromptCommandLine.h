// How the system's command interpreter is started in an object's folder. No platform calls.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

namespace tarvix {

// The longest command line a program can be started with, and the longest value of an
// environment variable, each with its terminating NUL.
constexpr std::size_t kCommandLineLimit = 32767;

// The variable through which the interpreter receives a folder it cannot start in. cmd expands
// a %name% of its /k line once, so the folder's own '%' signs reach pushd as they stand.
constexpr wchar_t kPromptFolderVariable[] = L"TARVIX_PROMPT_FOLDER";

struct PromptStart {
    std::wstring commandLine;
    std::wstring currentFolder; // the new process's current folder; empty: none given
    std::wstring folderValue;   // the value of kPromptFolderVariable; empty: not set
};

// On the NT family: a local folder becomes the current folder of `programFolder` (the system
// folder) + "\cmd.exe". A network folder (\\server\share) cannot be a current folder, nor can
// a local one past the platform's limit for it: cmd then pushes it, named through
// kPromptFolderVariable, and clears the variable again. Otherwise: `programFolder` (the Windows
// folder) + "\command.com /k", which starts in the host's current folder. Nothing when the line
// or the variable would pass its limit.
std::optional<PromptStart> PromptCommandLine(bool ntFamily, const std::wstring& programFolder,
                                             const std::wstring& objectFolder);

} // namespace tarvix
