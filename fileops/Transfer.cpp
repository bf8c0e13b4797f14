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

void ShowError(unsigned textId, std::initializer_list<std::string> paths) {
    ShowMessage(MessageKind::Error, MessageButtons::Ok, FormatText(textId, paths));
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
        return ShowMessage(MessageKind::Error, MessageButtons::YesNo,
                           FormatText(IDS_OBJECT_MISSING, {source})) == IDYES;
    }
    const DWORD destinationAttributes = FileAttributes(destination);
    if (destinationAttributes != INVALID_FILE_ATTRIBUTES) {
        if (destinationAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ShowError(IDS_FOLDER_EXISTS, {destination, source});
            return true;
        }
        if (ReplaceMode == mrNo) {
            ReplaceMode = AskYesNoCancelAll(FormatText(IDS_FILE_EXISTS, {destination}));
            if (ReplaceMode == mrNo) {
                return true;
            }
            if (ReplaceMode == mrCancel) {
                return false;
            }
            if (ReplaceMode == mrYes) {
                ReplaceMode = mrNo;
            }
        }
        if (destinationAttributes & kProtected) {
            ShowError(IDS_FILE_PROTECTED, {destination});
            return true;
        }
    }
    const Clearing clearing = ClearingFor(source, destination);
    if (clearing == Clearing::Skip) {
        return true;
    }
    const bool isFolder = (sourceAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!CopyObject(source, destination, isFolder, clearing == Clearing::Replace)) {
        ShowError(IDS_WRITE_ERROR, {source, destination});
        return true;
    }
    if (move && !(isFolder ? RemoveFolder(source) : DeleteFileAt(source))) {
        ShowError(IDS_REMOVE_ERROR, {source});
    }
    return true;
}

} // namespace tarvix
