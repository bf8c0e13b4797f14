// Running a command from either menu: the frame of the busy counter and the owner window, and
// the classic InvokeCommand.
#pragma once
#include "Selection.h"
#include "platform/Win.h"

#include <functional>

namespace tarvix {

HRESULT DispatchCommand(const CMINVOKECOMMANDINFO* info, Selection& selection);

// Asked inside the frame, before the command: false calls the command off. Its questions are
// the command's own, owned by the owner window.
using StartCheck = std::function<bool()>;

// Runs the command of a menu index (0..11) on `selection`, its short names lengthened, to its
// end; failures are shown to the user and never leave this call. Every command starts here.
void RunCommandContained(unsigned index, Selection& selection, const StartCheck& mayStart = {});

// The frame every command runs in, whichever menu it came from: the busy counter raised and
// `owner` made the owner window for the command, the waiting window messages let through
// after it, both restored on every way out.
void RunFramedCommand(unsigned index, HWND owner, Selection& selection,
                      const StartCheck& mayStart = {});

} // namespace tarvix
