// Copy as / Move as: the selection classified, the save dialog with its close check, then the
// batch on the progress window.
#pragma once
#include "Commands.h"
#include "fileops/CopyMoveRules.h"
#include "fileops/SaveDialog.h"

namespace tarvix {

class TFormProgress;

class CopyMoveAsRun {
  public:
    // `ObjectList`: the selection's full paths, at least one.
    CopyMoveAsRun(const Paths& objectList, bool move);

    // Shows the save dialog; after Save the objects go to their destinations through `window`.
    void CopyMoveAs(TFormProgress& window);
    // The save dialog's close validation for the entry the user confirmed.
    bool SaveDialogCanClose(const SaveDialogEntry& entry);

  private:
    bool AnyPairShares(KeyPart part) const;

    const Paths& ObjectList;
    bool move_;
    SelectionKind selectionKind_ = skSingle;
    PatternKind patternKind_ = pkPlainName;
};

// The batch after the dialog closed with `finalPath` and `pattern`: every object to its
// destination, in list order.
void RunCopyMoveBatch(TFormProgress& window, const Paths& objects, const std::wstring& finalPath,
                      PatternKind pattern, bool move);

} // namespace tarvix
