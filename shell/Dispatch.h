// InvokeCommand: frames one command with the busy counter and the owner window.
#pragma once
#include "Selection.h"
#include "platform/Win.h"

namespace tarvix {

HRESULT DispatchCommand(const CMINVOKECOMMANDINFO* info, Selection& selection);

// Runs the command of a menu index (0..11) on `selection`, its short names lengthened, to its
// end; failures are shown to the user and never leave this call. Every command starts here.
void RunCommandContained(unsigned index, Selection& selection);

} // namespace tarvix
