// The engine: copies or moves one object at a time, with the existence checks, the replace
// question and the messages. On one volume a move renames the object in place; across volumes
// it copies, verifies the copy and only then removes the source. No platform calls: the files
// come through a FileSystem, the user through a TransferConversation.
#pragma once
#include "EntryKind.h"
#include "FolderTransfer.h"
#include "TransferConversation.h"
#include "common/ModalResult.h"
#include "platform/FileSystem.h"

#include <optional>
#include <string>

namespace tarvix {

// One object of a batch: where it is and where it goes, and how the window and the messages
// name them where that differs (the rename series shows its folder in lower case).
struct Transfer {
    std::wstring source;
    std::wstring destination;
    std::wstring shownSource = std::wstring();
    std::wstring shownDestination = std::wstring();
};

class TransferEngine {
  public:
    TransferEngine(FileSystem& files, TransferConversation& user) : files_(files), user_(user) {}

    // Copies (or, with `move`, moves) the object to its destination, asking and reporting as
    // needed. False only when the user chose to stop the batch.
    bool TransferObject(const Transfer& object, bool move);

    // mrNo: ask before each replacement; mrYesToAll: replace without asking; mrCancel: the
    // batch is being stopped. A batch starts by asking.
    int ReplaceMode = mrNo;

  private:
    enum class Verdict { Go, Skip, Stop };
    // Moved: in place, nothing left to remove; Copied: a copy stands, the source is still there.
    enum class Outcome { Moved, Copied, Skipped, Failed, Stop };
    struct Source {
        const Transfer& object;
        ObjectFacts facts;
        EntryKind kind;
        bool move;
        // Set once the platform said the destination lies on another volume.
        bool acrossVolumes = false;
    };

    Outcome TransferFile(Source& source);
    Outcome OntoExisting(Source& source);
    Outcome ToNew(Source& source);
    Verdict CheckDestination(const Source& source, std::uint32_t attributes);
    // The move in place: Moved or Failed, or nothing (and acrossVolumes set) where the
    // destination lies on another volume.
    std::optional<Outcome> MoveInPlace(Source& source, bool replace);
    CopyContext ContextFor(const Source& source) const;
    bool CopyIsComplete(const Source& source);
    void RemoveSource(const Source& source);

    const std::wstring& Shown(const std::wstring& shown, const std::wstring& path) const {
        return shown.empty() ? path : shown;
    }
    const std::wstring& ShownSource(const Source& source) const {
        return Shown(source.object.shownSource, source.object.source);
    }
    const std::wstring& ShownDestination(const Source& source) const {
        return Shown(source.object.shownDestination, source.object.destination);
    }

    FileSystem& files_;
    TransferConversation& user_;
    // Two folders between which a move was found to cross volumes.
    std::wstring crossingFrom_;
    std::wstring crossingTo_;
};

} // namespace tarvix
