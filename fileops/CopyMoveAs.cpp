// Copy as / Move as on the progress window: classification, save dialog, batch.
#include "Progress.h"

#include "fileops/SaveDialog.h"
#include "platform/Files.h"
#include "platform/PathTerms.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

constexpr ULONGLONG kDisplayIntervalMs = 40;

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

// ObjectList lives only while a run is under way.
class ObjectListScope {
  public:
    ObjectListScope(std::vector<std::string>& objects, const std::vector<std::string>& list)
        : objects_(objects) {
        objects_ = list;
    }
    ~ObjectListScope() { objects_.clear(); }
    ObjectListScope(const ObjectListScope&) = delete;
    ObjectListScope& operator=(const ObjectListScope&) = delete;

  private:
    std::vector<std::string>& objects_;
};

} // namespace

bool TFormProgress::AllShare(KeyPart part) const {
    return tarvix::AllShare(ObjectList, part, LowerCasePath);
}

bool TFormProgress::AnyPairShares(KeyPart part) const {
    return tarvix::AnyPairShares(ObjectList, part, LowerCasePath);
}

void TFormProgress::CopyMoveAs(const std::vector<std::string>& list, bool move) {
    if (list.empty()) {
        return;
    }
    ObjectListScope scope(ObjectList, list);
    const std::string verb = LoadText(move ? IDS_VERB_MOVE : IDS_VERB_COPY);
    const std::string& first = ObjectList.front();
    selectionKind_ = ClassifySelection(ObjectList, LowerCasePath);
    SaveDialogRequest request;
    request.title = FormatText(TitleId(selectionKind_),
                               {verb, TitleArgument(selectionKind_, first, LowerCasePath)});
    request.initialFolder = InitialFolder(first);
    request.initialName = "*.*";
    request.canClose = [this](const SaveDialogEntry& entry) {
        bool canClose = false;
        SaveDialogCanClose(entry, canClose);
        return canClose;
    };
    const std::optional<std::string> finalPath = RunSaveDialog(request);
    if (finalPath) {
        RunCopyMoveBatch(ObjectList, *finalPath, patternKind_, move);
    }
}

void TFormProgress::SaveDialogCanClose(const SaveDialogEntry& entry, bool& canClose) {
    canClose = false;
    const std::string& heldPath = entry.heldPath;
    if (!InShownFolder(heldPath, entry.shownFolder) || !TypedAsAName(entry.typedName)) {
        return;
    }
    const DWORD attributes = FileAttributes(heldPath);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return;
    }
    const std::optional<PatternKind> pattern = ReadPattern(BareName(heldPath));
    if (!pattern) {
        return;
    }
    patternKind_ = *pattern;
    canClose = AcceptsPattern(selectionKind_, *pattern,
                              [this](KeyPart part) { return AnyPairShares(part); });
}

void TFormProgress::RunCopyMoveBatch(const std::vector<std::string>& list,
                                     const std::string& finalPath, PatternKind pattern, bool move) {
    SetMax(static_cast<int>(list.size()) + 1);
    ReplaceMode = mrNo;
    Show();
    Step();
    // Objects follow each other faster than anyone can read: the window is brought up to date
    // for the first and the last object and whenever it was last painted a while before, and
    // before every box (TransferObject does that).
    ULONGLONG paintedAt = 0;
    for (std::size_t index = 0; index < list.size(); ++index) {
        const std::string& object = list[index];
        SetSource(object);
        SetDestination(DestinationOf(pattern, finalPath, object));
        const ULONGLONG now = ::GetTickCount64();
        if (index == 0 || index + 1 == list.size() || now - paintedAt >= kDisplayIntervalMs) {
            RepaintWindow();
            paintedAt = now;
        }
        if (!TransferObject(move)) {
            return;
        }
        Step();
    }
    RepaintProgressBar();
}

} // namespace tarvix
