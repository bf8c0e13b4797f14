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
    const auto start =
        PromptCommandLine(ntFamily, ntFamily ? SystemFolder() : WindowsFolder(), folder);
    if (!start) {
        ShowError(IDS_UNEXPECTED_ERROR);
        return;
    }
    if (!ntFamily) {
        SetCurrentFolder(folder); // command.com starts where its parent stands; not restored
    }
    const ChildVariable variable{start->folderValue.empty() ? L"" : kPromptFolderVariable,
                                 start->folderValue};
    if (!StartProgram(start->commandLine, SW_SHOWDEFAULT, start->currentFolder, variable)) {
        ShowError(IDS_UNEXPECTED_ERROR);
    }
}

} // namespace tarvix
