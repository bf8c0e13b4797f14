// Command 2: the rename-series dialog over the selection, then the renaming run.
#include "Commands.h"
#include "fileops/Progress.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"
#include "rename/RenamSer.h"
#include "rename/SeriesSelection.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

void LowerAnsi(std::string& text) {
    ::CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
}

// Renames object i of the confirmed dialog to new name i, in list order, through the engine:
// each rename is a copy under the new name followed by removal of the old object.
void RunRenameSeries(TFormProgress& progress, const std::string& seriesFolder,
                     const TFormRenamSer& form) {
    const std::vector<std::string>& oldNames = form.OldNames();
    const std::vector<std::string>& newNames = form.NewNames();
    progress.SetCaption(LoadText(IDS_CAPTION_RENAME));
    progress.SetMax(static_cast<int>(oldNames.size()) + 1);
    progress.Show();
    progress.Step();
    progress.ReplaceMode = mrNo;
    for (std::size_t i = 0; i < oldNames.size() && i < newNames.size(); ++i) {
        progress.SetSource(seriesFolder + oldNames[i]);
        progress.SetDestination(seriesFolder + newNames[i]);
        progress.RepaintWindow();
        if (!progress.TransferObject(true)) {
            return;
        }
        progress.Step();
    }
    progress.RepaintProgressBar();
}

} // namespace

void RunRenameSeriesCommand(const Paths& selection) {
    if (selection.empty()) {
        return;
    }
    const std::optional<SeriesStart> series = StartSeries(selection, LowerAnsi);
    if (!series) {
        ShowMessage(MessageKind::Error, MessageButtons::Ok, LoadText(IDS_RENAME_NOT_ONE_FOLDER));
        return;
    }
    TFormRenamSer form(series->defaultTemplate, series->oldNames);
    if (form.ShowModal() != mrOk) {
        return;
    }
    TFormProgress progress;
    RunRenameSeries(progress, series->folder, form);
}

} // namespace tarvix
