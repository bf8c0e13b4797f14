#include "ClipboardText.h"
#include "Commands.h"
#include "platform/Clipboard.h"

namespace tarvix {

// The selection keeps its full paths also after "names only": a later command run on the same
// selection must still name the objects the user chose, not bare names relative to wherever
// the host's current folder happens to be.
void NamesToClipboard(const Paths& selection, bool namesOnly) {
    SetClipboardText(ClipboardText(selection, namesOnly));
}

} // namespace tarvix
