#include "Commands.h"
#include "PromptCommandLine.h"
#include "common/PathTerms.h"
#include "platform/Module.h"
#include "platform/Process.h"
#include "strings/Messages.h"
#include "strings/RSUnit.h"

namespace tarvix {

void OpenCommandPrompt(const Paths& selection) {
    if (selection.empty()) {
        return; // the shell offers the command only for selected objects
    }
    const std::wstring folder = ObjectFolder(selection.front());
    const bool ntFamily = IsNtFamily();
    const auto commandLine =
        PromptCommandLine(ntFamily, ntFamily ? SystemFolder() : WindowsFolder(), folder);
    if (!commandLine) {
        ShowError(IDS_UNEXPECTED_ERROR);
        return;
    }
    if (!ntFamily) {
        SetCurrentFolder(folder); // command.com starts where its parent stands; not restored
    }
    if (!StartProgram(*commandLine, SW_SHOWDEFAULT)) {
        ShowError(IDS_UNEXPECTED_ERROR);
    }
}

} // namespace tarvix
