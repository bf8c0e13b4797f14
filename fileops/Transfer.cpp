#include "Transfer.h"

#include "common/FileAttributes.h"
#include "common/PathTerms.h"

namespace tarvix {
namespace {

constexpr std::uint32_t kProtected = kAttributeReadOnly | kAttributeHidden | kAttributeSystem;

bool IsDirectory(const ObjectFacts& facts) {
    return (facts.attributes & kAttributeDirectory) != 0;
}

} // namespace

bool TransferEngine::TransferObject(const Transfer& object, bool move) {
    const std::optional<ObjectFacts> facts = files_.Facts(object.source);
    if (!facts) {
        const bool proceed = user_.AskProceed(Shown(object.shownSource, object.source));
        return proceed && !user_.ShouldStop();
    }
    Source source{object, *facts, ClassifyEntry(facts->attributes, facts->reparseTag), move};
    const Outcome outcome =
        source.kind == EntryKind::File ? TransferFile(source) : OntoExisting(source);
    switch (outcome) {
    case Outcome::Failed:
        user_.Report(EngineMessage::WriteError, ShownSource(source), ShownDestination(source));
        return true;
    case Outcome::Stop:
        return false;
    case Outcome::Skipped:
    case Outcome::Moved:
        return true;
    case Outcome::Copied:
        break;
    }
    if (move) {
        // Whatever took the copy (a device name, a file system that accepted and dropped it),
        // the source goes only once its copy is there as an object of its own.
        if (!CopyIsComplete(source)) {
            user_.Report(EngineMessage::WriteError, ShownSource(source), ShownDestination(source));
            return true;
        }
        RemoveSource(source);
    }
    return true;
}

// A file: moved in place where the destination is free and on the same volume, otherwise
// copied; a taken destination goes through the checks and the question first.
TransferEngine::Outcome TransferEngine::TransferFile(Source& source) {
    const std::wstring& destination = source.object.destination;
    if (source.move) {
        // The move's own refusal of a taken name is the existence check, as the copy's is below
        // (a search for a missing name scans the folder). Only a move onto its own name must
        // meet the checks first, since the platform would just change its letter case.
        if (files_.SameName(source.object.source, destination)) {
            return OntoExisting(source);
        }
        if (const std::optional<Outcome> moved = MoveInPlace(source, false)) {
            return *moved == Outcome::Failed && files_.Facts(destination) ? OntoExisting(source)
                                                                          : *moved;
        }
    }
    switch (
        CopyNewFile(ContextFor(source), source.object.source, source.facts, destination, false)) {
    case CopyResult::Done:
        return Outcome::Copied;
    case CopyResult::DestinationExists:
        return OntoExisting(source);
    case CopyResult::Stopped:
        return Outcome::Stop;
    case CopyResult::Failed:
        break;
    }
    return Outcome::Failed;
}

// A folder or link, or a file whose destination is taken: the destination checks first, then
// the move or copy, an existing file replaced only through a temporary name.
TransferEngine::Outcome TransferEngine::OntoExisting(Source& source) {
    const std::wstring& destination = source.object.destination;
    const std::optional<ObjectFacts> existing = files_.Facts(destination);
    if (!existing) {
        // A file's destination was taken a moment ago: whatever moved it, nothing is copied.
        return source.kind == EntryKind::File ? Outcome::Failed : ToNew(source);
    }
    switch (CheckDestination(source, existing->attributes)) {
    case Verdict::Go:
        break;
    case Verdict::Skip:
        return Outcome::Skipped;
    case Verdict::Stop:
        return Outcome::Stop;
    }
    // An existing file is replaced by a file only; a folder is never put in its place.
    if (IsFolderKind(source.kind)) {
        return Outcome::Skipped;
    }
    switch (CompareIds(files_.IdOf(source.object.source), files_.IdOf(destination))) {
    case Identity::Same:
        return Outcome::Skipped; // the object itself, under another spelling of its name
    case Identity::Unknown:
        return Outcome::Failed;
    case Identity::Different:
        break;
    }
    if (source.move && !source.acrossVolumes) {
        if (const std::optional<Outcome> moved = MoveInPlace(source, true)) {
            return *moved;
        }
    }
    if (source.kind == EntryKind::FileLink) {
        return Outcome::Failed;
    }
    switch (ReplaceWithCopy(ContextFor(source), source.object.source, source.facts, destination)) {
    case CopyResult::Done:
        return Outcome::Copied;
    case CopyResult::Stopped:
        return Outcome::Stop;
    case CopyResult::DestinationExists:
    case CopyResult::Failed:
        break;
    }
    return Outcome::Failed;
}

// A folder or link whose destination is free.
TransferEngine::Outcome TransferEngine::ToNew(Source& source) {
    const std::wstring& from = source.object.source;
    const std::wstring& to = source.object.destination;
    if (source.move && !source.acrossVolumes) {
        if (source.kind == EntryKind::Folder && CopiesIntoItself(files_, from, to)) {
            return Outcome::Failed;
        }
        if (const std::optional<Outcome> moved = MoveInPlace(source, false)) {
            return *moved;
        }
    }
    if (IsLink(source.kind)) {
        const bool folder = source.kind == EntryKind::FolderLink;
        return files_.CopyLink(from, to, folder) == FsResult::Done ? Outcome::Copied
                                                                   : Outcome::Failed;
    }
    if (CopiesIntoItself(files_, from, to)) {
        return Outcome::Failed;
    }
    switch (CopyFolder(ContextFor(source), from, source.facts, to)) {
    case FolderCopy::Complete:
        return Outcome::Copied;
    case FolderCopy::WithoutSomeLinks:
        return Outcome::Skipped; // each link reported; the source stays
    case FolderCopy::Stopped:
        return Outcome::Stop;
    case FolderCopy::Failed:
        break;
    }
    return Outcome::Failed;
}

// An existing destination: a folder is reported, a file is replaced only after the user
// agreed (now or by Yes to All) and only when it is not protected.
TransferEngine::Verdict TransferEngine::CheckDestination(const Source& source,
                                                         std::uint32_t attributes) {
    if (attributes & kAttributeDirectory) {
        user_.Report(EngineMessage::FolderExists, ShownDestination(source), ShownSource(source));
        return Verdict::Skip;
    }
    if (ReplaceMode == mrNo) {
        ReplaceMode = user_.AskReplace(ShownDestination(source));
        if (ReplaceMode == mrNo) {
            return Verdict::Skip;
        }
        if (ReplaceMode == mrCancel) {
            return Verdict::Stop;
        }
        if (ReplaceMode == mrYes) {
            ReplaceMode = mrNo;
        }
        // The user may have stopped the batch in the progress window while the question
        // was shown.
        if (user_.ShouldStop()) {
            return Verdict::Stop;
        }
    }
    if (attributes & kProtected) {
        user_.Report(EngineMessage::FileProtected, ShownDestination(source));
        return Verdict::Skip;
    }
    return Verdict::Go;
}

std::optional<TransferEngine::Outcome> TransferEngine::MoveInPlace(Source& source, bool replace) {
    // The objects of a batch mostly share their folders: once a move between two folders was
    // found to cross volumes, the others between them are not tried.
    const std::wstring from = FolderPart(source.object.source);
    const std::wstring to = FolderPart(source.object.destination);
    if (from == crossingFrom_ && to == crossingTo_) {
        source.acrossVolumes = true;
        return std::nullopt;
    }
    const FsResult moved = RetryWhileBusy(files_, [&] {
        return files_.Move(source.object.source, source.object.destination, replace);
    });
    if (moved == FsResult::NotSameDevice) {
        source.acrossVolumes = true;
        crossingFrom_ = from;
        crossingTo_ = to;
        return std::nullopt;
    }
    return moved == FsResult::Done ? Outcome::Moved : Outcome::Failed;
}

CopyContext TransferEngine::ContextFor(const Source& source) const {
    return CopyContext{files_, user_, source.move};
}

bool TransferEngine::CopyIsComplete(const Source& source) {
    const std::optional<ObjectFacts> copy = files_.Facts(source.object.destination);
    if (!copy || IsDirectory(*copy) != IsFolderKind(source.kind)) {
        return false;
    }
    return source.kind != EntryKind::File || copy->size == source.facts.size;
}

void TransferEngine::RemoveSource(const Source& source) {
    const std::wstring& path = source.object.source;
    bool removed = false;
    if (IsFolderKind(source.kind)) {
        removed = RemoveFolder(ContextFor(source), path);
    } else if (source.facts.attributes & kAttributeReadOnly) {
        removed = files_.RemoveFile(path) == FsResult::Done; // refused however often asked
    } else {
        removed = RetryWhileBusy(files_, [&] { return files_.RemoveFile(path); }) == FsResult::Done;
    }
    if (!removed) {
        user_.Report(EngineMessage::RemoveError, ShownSource(source));
    }
}

} // namespace tarvix
