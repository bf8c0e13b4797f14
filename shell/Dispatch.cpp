#include "Dispatch.h"

#include "CommandTable.h"
#include "Server.h"
#include "platform/ComGuard.h"
#include "platform/Module.h"
#include "platform/Text.h"
#include "platform/VisualStyles.h"
#include "strings/Messages.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

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
    if (const auto escaped = CatchEscaping([&] { CommandAt(index)->run(selection.Paths()); })) {
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
    if (CommandAt(index) == nullptr) {
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
