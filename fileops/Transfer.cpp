// TransferObject: the checks, questions and messages around copying or moving one object.
#include "Progress.h"

#include "fileops/FolderTransfer.h"
#include "platform/ChoiceBox.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

constexpr DWORD kProtected =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Every box comes with the window showing the object it is about.
void ShowError(TFormProgress& form, unsigned textId, std::initializer_list<std::string> paths) {
    form.RepaintWindow();
    ShowMessage(MessageKind::Error, MessageButtons::Ok, FormatText(textId, paths));
}

enum class Verdict { Go, Skip, Stop };

// An existing destination: a folder is reported, a file is replaced only after the user
// agreed (now or by Yes to All) and only when it is not protected.
Verdict CheckDestination(TFormProgress& form, const std::string& source,
                         const std::string& destination, DWORD attributes) {
    int& replaceMode = form.ReplaceMode;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Verdict::Go;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        ShowError(form, IDS_FOLDER_EXISTS, {destination, source});
        return Verdict::Skip;
    }
    if (replaceMode == mrNo) {
        form.RepaintWindow();
        replaceMode = AskYesNoCancelAll(FormatText(IDS_FILE_EXISTS, {destination}));
        if (replaceMode == mrNo) {
            return Verdict::Skip;
        }
        if (replaceMode == mrCancel) {
            return Verdict::Stop;
        }
        if (replaceMode == mrYes) {
            replaceMode = mrNo;
        }
    }
    if (attributes & kProtected) {
        ShowError(form, IDS_FILE_PROTECTED, {destination});
        return Verdict::Skip;
    }
    return Verdict::Go;
}

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

bool TFormProgress::TransferObject(bool move) {
    const std::string source = Source();
    const std::string destination = Destination();
    const DWORD sourceAttributes = FileAttributes(source);
    if (sourceAttributes == INVALID_FILE_ATTRIBUTES) {
        RepaintWindow();
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
            ShowError(*this, IDS_WRITE_ERROR, {source, destination});
            return true;
        }
        const Verdict verdict = CheckDestination(*this, source, destination, destinationAttributes);
        if (verdict != Verdict::Go) {
            return verdict == Verdict::Skip;
        }
        const Clearing clearing = ClearingFor(source, destination);
        if (clearing == Clearing::Skip) {
            return true;
        }
        if (!CopyObject(source, destination, isFolder, clearing == Clearing::Replace)) {
            ShowError(*this, IDS_WRITE_ERROR, {source, destination});
            return true;
        }
    }
    if (move && !(isFolder ? RemoveFolder(source) : DeleteFileAt(source))) {
        ShowError(*this, IDS_REMOVE_ERROR, {source});
    }
    return true;
}

} // namespace tarvix
