#include "Transfer.h"

#include "FolderTransfer.h"
#include "Progress.h"
#include "ReplaceQuestion.h"
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

enum class Clearing { NothingToClear, Replace, Skip };

// An existing destination that opens for reading with no sharing is to be replaced, unless
// the source does not open so: then it is the destination itself, a folder, or in use.
Clearing ClearingFor(const std::string& source, const std::string& destination) {
    FileHandle held = OpenExclusiveForReading(destination);
    if (!held) {
        return Clearing::NothingToClear;
    }
    FileHandle sourceHeld = OpenExclusiveForReading(source);
    return sourceHeld ? Clearing::Replace : Clearing::Skip;
}

bool CopyObject(const std::string& source, const std::string& destination, bool isFolder,
                bool replace) {
    if (isFolder) {
        return !CopiesIntoItself(source, destination) && CopyFolder(source, destination);
    }
    return replace ? ReplaceWithCopy(source, destination) : CopyFileTo(source, destination, true);
}

} // namespace

void TransferEngine::ShowError(unsigned textId, std::initializer_list<std::string> paths) {
    window_.RepaintWindow();
    ShowMessage(MessageKind::Error, MessageButtons::Ok, FormatText(textId, paths));
}

// An existing destination: a folder is reported, a file is replaced only after the user
// agreed (now or by Yes to All) and only when it is not protected.
TransferEngine::Verdict TransferEngine::CheckDestination(const std::string& source,
                                                         const std::string& destination,
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

bool TransferEngine::TransferObject(const std::string& source, const std::string& destination,
                                    bool move) {
    const DWORD sourceAttributes = FileAttributes(source);
    if (sourceAttributes == INVALID_FILE_ATTRIBUTES) {
        window_.RepaintWindow();
        return ShowMessage(MessageKind::Error, MessageButtons::YesNo,
                           FormatText(IDS_OBJECT_MISSING, {source})) == IDYES;
    }
    const bool isFolder = (sourceAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // A file is first copied with the copy's own fail-if-exists test as the existence check:
    // it leaves an existing destination untouched, and it spares a second search for a
    // missing name, which costs a scan of the folder where names are matched ignoring case.
    if (isFolder || !CopyFileTo(source, destination, true)) {
        const DWORD destinationAttributes = FileAttributes(destination);
        if (!isFolder && destinationAttributes == INVALID_FILE_ATTRIBUTES) {
            ShowError(IDS_WRITE_ERROR, {source, destination});
            return true;
        }
        const Verdict verdict = CheckDestination(source, destination, destinationAttributes);
        if (verdict != Verdict::Go) {
            return verdict == Verdict::Skip;
        }
        const Clearing clearing = ClearingFor(source, destination);
        if (clearing == Clearing::Skip) {
            return true;
        }
        if (!CopyObject(source, destination, isFolder, clearing == Clearing::Replace)) {
            ShowError(IDS_WRITE_ERROR, {source, destination});
            return true;
        }
    }
    if (move && !(isFolder ? RemoveFolder(source) : DeleteFileAt(source))) {
        ShowError(IDS_REMOVE_ERROR, {source});
    }
    return true;
}

} // namespace tarvix
