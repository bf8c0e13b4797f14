#include "Transfer.h"

#include "FolderTransfer.h"
#include "Progress.h"
#include "ReplaceQuestion.h"
#include "EntryKind.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "strings/Messages.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

constexpr DWORD kProtected =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The answer of the replace question is kept as the replace mode.
static_assert(IDYES == mrYes && IDNO == mrNo && IDCANCEL == mrCancel &&
              kAnswerYesToAll == mrYesToAll);

} // namespace

void TransferEngine::ShowError(unsigned textId, std::initializer_list<std::wstring> paths) {
    window_.RepaintWindow();
    ShowMessage(MessageKind::Error, MessageButtons::Ok, FormatText(textId, paths));
}

// An existing destination: a folder is reported, a file is replaced only after the user
// agreed (now or by Yes to All) and only when it is not protected.
TransferEngine::Verdict TransferEngine::CheckDestination(const std::wstring& source,
                                                         const std::wstring& destination,
                                                         unsigned long attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Verdict::Go;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        ShowError(IDS_FOLDER_EXISTS, {destination, source});
        return Verdict::Skip;
    }
    if (ReplaceMode == mrNo) {
        window_.RepaintWindow();
        ReplaceMode = AskYesNoCancelAll(FormatText(IDS_FILE_EXISTS, {destination}));
        if (ReplaceMode == mrNo) {
            return Verdict::Skip;
        }
        if (ReplaceMode == mrCancel) {
            return Verdict::Stop;
        }
        if (ReplaceMode == mrYes) {
            ReplaceMode = mrNo;
        }
    }
    if (attributes & kProtected) {
        ShowError(IDS_FILE_PROTECTED, {destination});
        return Verdict::Skip;
    }
    return Verdict::Go;
}

CopyOptions TransferEngine::OptionsFor(bool move) {
    CopyOptions options;
    options.keepCreationTime = move;
    // Within one long copy too, the window shows how far the batch is.
    options.progress = [this] { window_.RepaintWindow(); };
    options.linkNotCopied = [this](const std::wstring& from, const std::wstring& to) {
        ShowError(IDS_WRITE_ERROR, {from, to});
    };
    return options;
}

bool TransferEngine::TransferObject(const std::wstring& source, const std::wstring& destination,
                                    bool move) {
    const std::optional<FileFacts> facts = FactsOf(source);
    if (!facts) {
        window_.RepaintWindow();
        return ShowMessage(MessageKind::Error, MessageButtons::YesNo,
                           FormatText(IDS_OBJECT_MISSING, {source})) == IDYES;
    }
    const DWORD tag = (facts->attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? ReparseTagOf(source) : 0;
    const Source object{source, *facts, ClassifyEntry(facts->attributes, tag)};
    const EntryKind kind = object.kind;
    const CopyOptions options = OptionsFor(move);
    Outcome outcome = Outcome::Copied;
    if (kind == EntryKind::File) {
        switch (CopyNewFile(source, object.facts, destination, false, options)) {
        case NewFileCopy::Copied:
            break;
        case NewFileCopy::Failed:
            outcome = Outcome::Failed;
            break;
        case NewFileCopy::DestinationExists:
            outcome = CopyOntoExisting(object, destination, options);
            break;
        }
    } else {
        outcome = CopyOntoExisting(object, destination, options);
    }
    switch (outcome) {
    case Outcome::Failed:
        ShowError(IDS_WRITE_ERROR, {source, destination});
        return true;
    case Outcome::Stop:
        return false;
    case Outcome::Skipped:
        return true;
    case Outcome::Copied:
        break;
    }
    if (move && !(IsFolderKind(kind) ? RemoveFolder(source) : DeleteFileAt(source))) {
        ShowError(IDS_REMOVE_ERROR, {source});
    }
    return true;
}

// A folder or link, or a file whose destination was taken: the destination checks first, then
// the copy, an existing file replaced only through a temporary name.
TransferEngine::Outcome TransferEngine::CopyOntoExisting(const Source& source,
                                                         const std::wstring& destination,
                                                         const CopyOptions& options) {
    const EntryKind kind = source.kind;
    const DWORD destinationAttributes = FileAttributes(destination);
    if (destinationAttributes == INVALID_FILE_ATTRIBUTES) {
        // A file's destination was taken a moment ago: whatever moved it, nothing is copied.
        return kind == EntryKind::File ? Outcome::Failed : CopyToNew(source, destination, options);
    }
    switch (CheckDestination(source.path, destination, destinationAttributes)) {
    case Verdict::Go:
        break;
    case Verdict::Skip:
        return Outcome::Skipped;
    case Verdict::Stop:
        return Outcome::Stop;
    }
    // An existing file is replaced by a file only; a folder is never put in its place.
    if (IsFolderKind(kind)) {
        return Outcome::Skipped;
    }
    if (kind == EntryKind::FileLink) {
        return Outcome::Failed;
    }
    switch (CompareObjects(source.path, destination)) {
    case Identity::Same:
        return Outcome::Skipped; // the object itself, under another spelling of its name
    case Identity::Unknown:
        return Outcome::Failed;
    case Identity::Different:
        break;
    }
    return ReplaceWithCopy(source.path, source.facts, destination, options) ? Outcome::Copied
                                                                            : Outcome::Failed;
}

TransferEngine::Outcome TransferEngine::CopyToNew(const Source& source,
                                                  const std::wstring& destination,
                                                  const CopyOptions& options) {
    if (IsLink(source.kind)) {
        const bool folder = source.kind == EntryKind::FolderLink;
        return CopyLink(source.path, destination, folder) ? Outcome::Copied : Outcome::Failed;
    }
    if (CopiesIntoItself(source.path, destination)) {
        return Outcome::Failed;
    }
    switch (CopyFolder(source.path, source.facts, destination, options)) {
    case FolderCopy::Complete:
        return Outcome::Copied;
    case FolderCopy::WithoutSomeLinks:
        return Outcome::Skipped; // each link reported; the source stays
    case FolderCopy::Failed:
        break;
    }
    return Outcome::Failed;
}

} // namespace tarvix
