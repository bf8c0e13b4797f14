#include "fileops/Progress.h"
#include "platform/Text.h"
#include "shell/Commands.h"
#include "shell/Server.h"
#include "strings/RSUnit.h"

namespace tarvix {

void RunCopyMoveAsCommand(bool move) {
    TFormProgress progress;
    progress.SetCaption(LoadText(move ? IDS_VERB_MOVE : IDS_VERB_COPY));
    progress.CopyMoveAs(SelectionList(), move);
}

} // namespace tarvix
