#include "Dispatch.h"

#include "Commands.h"
#include "MenuTable.h"
#include "Server.h"
#include "platform/ComGuard.h"
#include "platform/MessageBox.h"
#include "platform/Module.h"
#include "platform/Text.h"
#include "platform/VisualStyles.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

void RunCommand(unsigned index, const Paths& selection) {
    switch (index) {
    case 0:
    case 1:
        RunCopyMoveAsCommand(selection, index == 1);
        break;
    case 2:
        RunRenameSeriesCommand(selection);
        break;
    case 3:
        RunTimeStampCommand(selection);
        break;
    case 4:
    case 5:
    case 6:
    case 7:
        ChangeCase(selection, static_cast<int>(index) - 3);
        break;
    case 8:
    case 9:
        NamesToClipboard(selection, index == 9);
        break;
    case 10:
        OpenCommandPrompt(selection);
        break;
    default:
        OpenHelp();
        break;
    }
}

void ReportEscapedException(const EscapedException& escaped) {
    CatchEscaping([&] {
        const std::string text = escaped.outOfMemory    ? LoadText(IDS_OUT_OF_MEMORY)
                                 : escaped.text.empty() ? LoadText(IDS_UNEXPECTED_ERROR)
                                                        : escaped.text;
        ShowMessage(MessageKind::Error, MessageButtons::Ok, text);
    });
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

void RunCommandContained(unsigned index, Selection& selection) {
    const VisualStylesScope styles;
    if (const auto escaped = CatchEscaping([&] { RunCommand(index, selection.Paths()); })) {
        ReportEscapedException(*escaped);
    }
}

HRESULT DispatchCommand(const CMINVOKECOMMANDINFO* info, Selection& selection) {
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
        RunCommandContained(index, selection);
        CatchEscaping([] { DrainMessages(); });
    }
    SetOwnerWindow(previousOwner);
    LowerBusy();
    return result;
}

} // namespace tarvix
