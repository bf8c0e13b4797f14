#include "ClipboardText.h"
#include "Commands.h"
#include "Server.h"
#include "platform/Clipboard.h"

namespace tarvix {

// The selection keeps its full paths also after "names only": a later command run on the same
// selection must still name the objects the user chose, not bare names relative to wherever
// the host's current folder happens to be.
void NamesToClipboard(bool namesOnly) {
    SetClipboardText(ClipboardText(SelectionList(), namesOnly));
}

} // namespace tarvix
