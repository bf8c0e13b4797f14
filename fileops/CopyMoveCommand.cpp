#include "shell/Commands.h"

namespace tarvix {

void RunCopyMoveAsCommand(bool) {}

} // namespace tarvix
