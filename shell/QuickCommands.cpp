#include "Commands.h"

namespace tarvix {

void NamesToClipboard(bool) {}
void OpenCommandPrompt() {}
void OpenHelp() {}

} // namespace tarvix
