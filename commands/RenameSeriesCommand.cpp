// Command 2: the rename-series dialog over the selection, then the renaming run.
#include "Commands.h"
#include "common/ModalResult.h"
#include "fileops/BatchRun.h"
#include "fileops/Progress.h"
#include "platform/CaseConversion.h"
#include "platform/Text.h"
#include "platform/WindowsFileSystem.h"
#include "rename/RenamSer.h"
#include "rename/SeriesSelection.h"
#include "strings/Messages.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

// Renames object i of the confirmed dialog to new name i, in list order, through the engine.
// The window and the messages show the series folder in lower case; the file calls get the
// folder as it is spelled, which is the only spelling that names it where names are told apart
// by case.
void RunRenameSeries(TFormProgress& progress, const SeriesStart& series,
                     const TFormRenamSer& form) {
    const std::vector<std::wstring>& oldNames = form.OldNames();
    const std::vector<std::wstring>& newNames = form.NewNames();
    std::vector<Transfer> renames;
    for (std::size_t i = 0; i < oldNames.size() && i < newNames.size(); ++i) {
        renames.push_back(Transfer{series.spelledFolder + oldNames[i],
                                   series.spelledFolder + newNames[i], series.folder + oldNames[i],
                                   series.folder + newNames[i]});
    }
    progress.SetCaption(LoadText(IDS_CAPTION_RENAME));
    WindowsFileSystem files;
    RunTransferBatch(progress, files, renames, true);
}

} // namespace

void RunRenameSeriesCommand(const Paths& selection) {
    if (selection.empty()) {
        return;
    }
    const std::optional<SeriesStart> series = StartSeries(selection, LowerCase);
    if (!series) {
        ShowError(IDS_RENAME_NOT_ONE_FOLDER);
        return;
    }
    TFormRenamSer form(series->defaultTemplate, series->oldNames);
    if (form.ShowModal() != mrOk) {
        return;
    }
    TFormProgress progress;
    RunRenameSeries(progress, *series, form);
}

} // namespace tarvix
