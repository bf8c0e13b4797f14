// InvokeCommand: frames one command with the busy counter and the owner window.
#pragma once
#include "platform/Win.h"

namespace tarvix {

HRESULT DispatchCommand(const CMINVOKECOMMANDINFO* info);

// Runs the command of a menu index (0..11) to its end; failures are shown to the user and
// never leave this call.
void RunCommandContained(unsigned index);

} // namespace tarvix
