#include "CopyMoveAs.h"

#include "common/PathTerms.h"
#include "fileops/BatchRun.h"
#include "fileops/Progress.h"
#include "platform/CaseConversion.h"
#include "platform/Files.h"
#include "platform/WindowsFileSystem.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

unsigned TitleId(SelectionKind kind) {
    switch (kind) {
    case skSingle:
        return IDS_TITLE_SINGLE;
    case skSameName:
        return IDS_TITLE_SAME_NAME;
    case skSameExt:
        return IDS_TITLE_SAME_EXT;
    case skMixed:
        break;
    }
    return IDS_TITLE_MIXED;
}

unsigned VerbId(bool move) {
    return move ? IDS_VERB_MOVE : IDS_VERB_COPY;
}

} // namespace

CopyMoveAsRun::CopyMoveAsRun(const Paths& objectList, bool move)
    : ObjectList(objectList), move_(move) {}

bool CopyMoveAsRun::AnyPairShares(KeyPart part) const {
    return tarvix::AnyPairShares(ObjectList, part, LowerCase);
}

void CopyMoveAsRun::CopyMoveAs(TFormProgress& window) {
    if (ObjectList.empty()) {
        return;
    }
    const std::wstring& first = ObjectList.front();
    selectionKind_ = ClassifySelection(ObjectList, LowerCase);
    SaveDialogRequest request;
    request.title =
        FormatText(TitleId(selectionKind_),
                   {LoadText(VerbId(move_)), TitleArgument(selectionKind_, first, LowerCase)});
    request.initialFolder = InitialFolder(first);
    request.initialName = L"*.*";
    request.canClose = [this](const SaveDialogEntry& entry) { return SaveDialogCanClose(entry); };
    const std::optional<std::wstring> finalPath = RunSaveDialog(request);
    if (!finalPath) {
        return;
    }
    RunCopyMoveBatch(window, ObjectList, *finalPath, patternKind_, move_);
}

bool CopyMoveAsRun::SaveDialogCanClose(const SaveDialogEntry& entry) {
    if (!InShownFolder(entry.heldPath, entry.shownFolder) || !TypedAsAName(entry.typedName)) {
        return false;
    }
    const DWORD attributes = FileAttributes(entry.heldPath);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    const std::optional<PatternKind> pattern = ReadPattern(BareName(entry.heldPath));
    if (!pattern) {
        return false;
    }
    patternKind_ = *pattern;
    return AcceptsPattern(selectionKind_, *pattern,
                          [this](KeyPart part) { return AnyPairShares(part); }) &&
           NewNamesAllowed(*pattern, entry.heldPath, ObjectList);
}

void RunCopyMoveBatch(TFormProgress& window, const Paths& objects, const std::wstring& finalPath,
                      PatternKind pattern, bool move) {
    std::vector<Transfer> transfers;
    transfers.reserve(objects.size());
    for (const std::wstring& object : objects) {
        transfers.push_back(Transfer{object, DestinationOf(pattern, finalPath, object)});
    }
    WindowsFileSystem files;
    RunTransferBatch(window, files, transfers, move);
}

void RunCopyMoveAsCommand(const Paths& selection, bool move) {
    TFormProgress window;
    window.SetCaption(LoadText(VerbId(move)));
    CopyMoveAsRun(selection, move).CopyMoveAs(window);
}

} // namespace tarvix
