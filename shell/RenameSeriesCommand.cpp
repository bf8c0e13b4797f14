#include "Commands.h"

namespace tarvix {

void RunRenameSeriesCommand() {}

} // namespace tarvix
