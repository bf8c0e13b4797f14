#include "Commands.h"

namespace tarvix {

void RunTimeStampCommand() {}

} // namespace tarvix
