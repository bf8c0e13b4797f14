// Process-wide state of the server module, shared by every extension object.
#pragma once

namespace tarvix {

// Count of running commands in the process; while above zero every Initialize refuses, so no
// selection changes under a running command. Changed atomically: the shell calls instances
// from several window threads.
int BusyCounter();
void RaiseBusy();
void LowerBusy();

} // namespace tarvix
