#include "PromptCommandLine.h"

namespace tarvix {

std::optional<std::wstring> PromptCommandLine(bool ntFamily, const std::wstring& programFolder,
                                              const std::wstring& objectFolder) {
    std::wstring line = programFolder;
    if (ntFamily) {
        line += L"\\cmd.exe /k pushd \"" + objectFolder + L"\"";
    } else {
        line += L"\\command.com /k";
    }
    if (line.size() + 1 > kCommandLineLimit) {
        return std::nullopt;
    }
    return line;
}

} // namespace tarvix
