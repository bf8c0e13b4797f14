#include "ClipboardText.h"
#include "Commands.h"
#include "platform/Clipboard.h"
#include "platform/Errors.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"

namespace tarvix {

// The selection keeps its full paths also after "names only": a later command run on the same
// selection must still name the objects the user chose, not bare names relative to wherever
// the host's current folder happens to be.
void NamesToClipboard(const Paths& selection, bool namesOnly) {
    switch (SetClipboardText(ClipboardText(selection, namesOnly))) {
    case ClipboardWrite::Done:
        return;
    case ClipboardWrite::NotOpened:
        throw UserError(LoadText(IDS_CLIPBOARD_OPEN_ERROR));
    case ClipboardWrite::Refused:
        break;
    }
    throw PlatformFailure();
}

} // namespace tarvix
