#include "Commands.h"
#include "PromptCommandLine.h"
#include "platform/MessageBox.h"
#include "platform/Module.h"
#include "platform/PathTerms.h"
#include "platform/Process.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

void ReportFailedStart() {
    ShowMessage(MessageKind::Error, MessageButtons::Ok, LoadText(IDS_UNEXPECTED_ERROR));
}

} // namespace

void OpenCommandPrompt(const Paths& selection) {
    if (selection.empty()) {
        return; // the shell offers the command only for selected objects
    }
    const std::string folder = ObjectFolder(selection.front());
    const bool ntFamily = IsNtFamily();
    const auto commandLine =
        PromptCommandLine(ntFamily, ntFamily ? SystemFolder() : WindowsFolder(), folder);
    if (!commandLine) {
        ReportFailedStart();
        return;
    }
    if (!ntFamily) {
        SetCurrentFolder(folder); // command.com starts where its parent stands; not restored
    }
    if (StartProgram(*commandLine, SW_SHOWDEFAULT) < 32) {
        ReportFailedStart();
    }
}

} // namespace tarvix
