#include "PromptCommandLine.h"

namespace tarvix {

std::optional<std::string> PromptCommandLine(bool ntFamily, const std::string& programFolder,
                                             const std::string& objectFolder) {
    std::string line = programFolder;
    if (ntFamily) {
        line += "\\cmd.exe /k pushd \"" + objectFolder + "\"";
    } else {
        line += "\\command.com /k";
    }
    if (line.size() + 1 > kCommandLineBufferSize) {
        return std::nullopt;
    }
    return line;
}

} // namespace tarvix
