#include "Dispatch.h"

#include "Commands.h"
#include "MenuTable.h"
#include "Server.h"
#include "platform/ComGuard.h"
#include "platform/Faults.h"
#include "platform/MessageBox.h"
#include "platform/Module.h"
#include "platform/Text.h"
#include "platform/VisualStyles.h"
#include "strings/RSUnit.h"

#include <new>

namespace tarvix {
namespace {

void RunCommand(unsigned index) {
    if (FaultNow(FaultCall::Crash)) {
        *static_cast<volatile int*>(nullptr) = 0; // test seam: a fault inside a command
    }
    switch (index) {
    case 0:
    case 1:
        RunCopyMoveAsCommand(index == 1);
        break;
    case 2:
        RunRenameSeriesCommand();
        break;
    case 3:
        RunTimeStampCommand();
        break;
    case 4:
    case 5:
    case 6:
    case 7:
        ChangeCase(static_cast<int>(index) - 3);
        break;
    case 8:
    case 9:
        NamesToClipboard(index == 9);
        break;
    case 10:
        OpenCommandPrompt();
        break;
    default:
        OpenHelp();
        break;
    }
}

void ReportEscapedFailure(GuardOutcome outcome, const char* message) {
    std::string text;
    if (outcome == GuardOutcome::Exception && message != nullptr && *message != '\0') {
        text = std::string(message) == std::bad_alloc().what() ? LoadText(IDS_OUT_OF_MEMORY)
                                                               : std::string(message);
    } else {
        text = LoadText(IDS_UNEXPECTED_ERROR);
    }
    // A fault may have left a modal loop early, with the owner still disabled.
    if (OwnerWindow() != nullptr) {
        ::EnableWindow(OwnerWindow(), TRUE);
    }
    Guarded([&] { ShowMessage(MessageKind::Error, MessageButtons::Ok, text); });
}

// Lets waiting messages run; a quit message belongs to the shell and is posted again.
void DrainMessages() {
    MSG message;
    bool quit = false;
    WPARAM quitCode = 0;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            quitCode = message.wParam;
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    if (quit) {
        ::PostQuitMessage(static_cast<int>(quitCode));
    }
}

} // namespace

void RunCommandContained(unsigned index) {
    const VisualStylesScope styles;
    const char* message = nullptr;
    const GuardOutcome outcome = Guarded([index] { RunCommand(index); }, &message);
    if (outcome != GuardOutcome::Completed) {
        ReportEscapedFailure(outcome, message);
    }
}

HRESULT DispatchCommand(const CMINVOKECOMMANDINFO* info) {
    if (info == nullptr) {
        return E_INVALIDARG;
    }
    const auto verb = reinterpret_cast<ULONG_PTR>(info->lpVerb);
    if ((verb >> 16) != 0) {
        return E_FAIL;
    }
    RaiseBusy();
    const HWND previousOwner = OwnerWindow();
    SetOwnerWindow(info->hwnd);
    const unsigned index = LOWORD(verb);
    HRESULT result = S_OK;
    if (index >= kCommandCount) {
        result = E_INVALIDARG;
    } else {
        RunCommandContained(index);
        Guarded([] { DrainMessages(); });
    }
    SetOwnerWindow(previousOwner);
    LowerBusy();
    return result;
}

} // namespace tarvix
