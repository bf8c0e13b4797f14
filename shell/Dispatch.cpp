#include "Dispatch.h"

#include "CommandTable.h"
#include "Server.h"
#include "platform/ComGuard.h"
#include "platform/Module.h"
#include "platform/ShortNames.h"
#include "platform/Text.h"
#include "platform/VisualStyles.h"
#include "strings/Messages.h"
#include "strings/RSUnit.h"

#include <climits>
#include <optional>
#include <utility>

namespace tarvix {
namespace {

void ReportEscapedException(const EscapedException& escaped) {
    CatchEscaping([&] {
        const std::wstring text = escaped.outOfMemory    ? LoadText(IDS_OUT_OF_MEMORY)
                                  : escaped.text.empty() ? LoadText(IDS_UNEXPECTED_ERROR)
                                                         : escaped.text;
        ShowMessage(MessageKind::Error, MessageButtons::Ok, text);
    });
}

// The messages the drain takes: paint, timers, messages sent from other threads, and every
// posted message but input and WM_CLOSE. The user's queued keys and clicks, and a request to
// close, belong to the shell's own loop with its accelerators, not to the middle of
// InvokeCommand with the shell's menu code still on the stack.
constexpr UINT kDrainedQueues = PM_QS_PAINT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE;
constexpr std::pair<UINT, UINT> kDrainedRanges[] = {
    {0, WM_CLOSE - 1},
    {WM_CLOSE + 1, WM_NCMOUSEMOVE - 1},
    {WM_NCXBUTTONDBLCLK + 1, WM_INPUT - 1},
    {WM_KEYLAST + 1, WM_MOUSEFIRST - 1},
    {WM_MOUSELAST + 1, UINT_MAX},
};

bool TakeDrainedMessage(MSG& message) {
    for (const auto& [first, last] : kDrainedRanges) {
        if (::PeekMessageW(&message, nullptr, first, last, PM_REMOVE | kDrainedQueues)) {
            return true;
        }
    }
    return false;
}

// Lets waiting messages run; a quit message belongs to the shell and is posted again.
void DrainMessages() {
    MSG message;
    bool quit = false;
    WPARAM quitCode = 0;
    while (TakeDrainedMessage(message)) {
        if (message.message == WM_QUIT) {
            quit = true;
            quitCode = message.wParam;
            continue;
        }
        ::DispatchMessageW(&message);
    }
    if (quit) {
        ::PostQuitMessage(static_cast<int>(quitCode));
    }
}

} // namespace

void RunCommandContained(unsigned index, Selection& selection, const StartCheck& mayStart) {
    const VisualStylesScope styles;
    const ShortNameLookup platform{LongNameIn, ShortNamesIn};
    if (const auto escaped = CatchEscaping([&] {
            if (!mayStart || mayStart()) {
                CommandAt(index)->run(selection.PathsForCommand(platform));
            }
        })) {
        ReportEscapedException(*escaped);
    }
}

void RunFramedCommand(unsigned index, HWND owner, Selection& selection,
                      const StartCheck& mayStart) {
    RaiseBusy();
    const HWND previousOwner = OwnerWindow();
    SetOwnerWindow(owner);
    RunCommandContained(index, selection, mayStart);
    CatchEscaping([] { DrainMessages(); });
    SetOwnerWindow(previousOwner);
    LowerBusy();
}

namespace {

// The command index: the low word of lpVerb, or of lpVerbW where a caller that speaks UTF-16
// (CMIC_MASK_UNICODE in an extended record) gives lpVerb as a string; nothing for a verb.
std::optional<unsigned> CommandIndex(const CMINVOKECOMMANDINFO& info) {
    auto verb = reinterpret_cast<ULONG_PTR>(info.lpVerb);
    const bool extended = info.cbSize >= sizeof(CMINVOKECOMMANDINFOEX);
    if ((verb >> 16) != 0 && extended && (info.fMask & CMIC_MASK_UNICODE) != 0) {
        verb = reinterpret_cast<ULONG_PTR>(
            reinterpret_cast<const CMINVOKECOMMANDINFOEX&>(info).lpVerbW);
    }
    if ((verb >> 16) != 0) {
        return std::nullopt;
    }
    return LOWORD(verb);
}

} // namespace

HRESULT DispatchCommand(const CMINVOKECOMMANDINFO* info, Selection& selection) {
    if (info == nullptr) {
        return E_INVALIDARG;
    }
    const std::optional<unsigned> command = CommandIndex(*info);
    if (!command) {
        return E_FAIL;
    }
    if (CommandAt(*command) == nullptr) {
        return E_INVALIDARG;
    }
    RunFramedCommand(*command, info->hwnd, selection);
    return S_OK;
}

} // namespace tarvix
