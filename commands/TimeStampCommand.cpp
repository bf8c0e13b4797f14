// Command 3: the time-stamp dialog, then the run on a progress window.
#include "Commands.h"
#include "TimeStampRun.h"
#include "common/ModalResult.h"
#include "fileops/Progress.h"
#include "stamp/FormStamp.h"

namespace tarvix {

void RunTimeStampCommand(const Paths& selection) {
    TFormStamp dialog;
    if (dialog.ShowModal() != mrOk) {
        return;
    }
    TFormProgress progress;
    ApplyTimeStamps(dialog.Choice(), selection, progress);
}

} // namespace tarvix
