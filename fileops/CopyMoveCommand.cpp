#include "fileops/Progress.h"
#include "platform/Text.h"
#include "shell/Commands.h"
#include "strings/RSUnit.h"

namespace tarvix {

void RunCopyMoveAsCommand(const Paths& selection, bool move) {
    TFormProgress progress;
    progress.SetCaption(LoadText(move ? IDS_VERB_MOVE : IDS_VERB_COPY));
    progress.CopyMoveAs(selection, move);
}

} // namespace tarvix
