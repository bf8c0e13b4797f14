#include "PromptCommandLine.h"

namespace tarvix {
namespace {

// A current folder holds at most MAX_PATH - 2 characters before its final '\'.
constexpr std::size_t kCurrentFolderLimit = 258;

bool IsNetworkFolder(const std::wstring& folder) {
    return folder.size() >= 2 && folder[0] == L'\\' && folder[1] == L'\\';
}

bool CanBeCurrentFolder(const std::wstring& folder) {
    std::size_t length = folder.size();
    if (length > 0 && folder[length - 1] == L'\\') {
        --length;
    }
    return !folder.empty() && !IsNetworkFolder(folder) && length <= kCurrentFolderLimit;
}

} // namespace

std::optional<PromptStart> PromptCommandLine(bool ntFamily, const std::wstring& programFolder,
                                             const std::wstring& objectFolder) {
    PromptStart start;
    start.commandLine = programFolder;
    if (!ntFamily) {
        start.commandLine += L"\\command.com /k";
    } else if (CanBeCurrentFolder(objectFolder)) {
        start.commandLine += L"\\cmd.exe";
        start.currentFolder = objectFolder;
    } else {
        const std::wstring variable = kPromptFolderVariable;
        start.commandLine += L"\\cmd.exe /k pushd \"%" + variable + L"%\" & set " + variable + L"=";
        start.folderValue = objectFolder;
    }
    if (start.commandLine.size() + 1 > kCommandLineLimit ||
        start.folderValue.size() + 1 > kCommandLineLimit) {
        return std::nullopt;
    }
    return start;
}

} // namespace tarvix
