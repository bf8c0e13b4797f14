#include "FolderTransfer.h"

#include "CopyMoveRules.h"
#include "EntryKind.h"
#include "common/FileAttributes.h"
#include "common/PathTerms.h"
#include "common/Retry.h"

#include <vector>

namespace tarvix {
namespace {

constexpr unsigned kTemporaryNameAttempts = 16;
// A sharing violation: the one error of a busy object, to the rule of what passes.
constexpr unsigned long kBusyError = 32;

CopyTick TickFor(const CopyContext& context) {
    return [&user = context.user](std::uint64_t done, std::uint64_t total) {
        user.Tick(done, total);
        return !user.ShouldStop();
    };
}

// A file this run wrote and does not keep (it has the source's attributes, so it may be
// read-only): gone even when held for a moment.
void RemoveLeftover(FileSystem& files, const std::wstring& path) {
    if (files.SetAttributes(path, kAttributeNormal) != FsResult::NotFound) {
        RetryWhileBusy(files, [&] { return files.RemoveFile(path); });
    }
}

// Copies `source` to a temporary name beside `dest` and gives the complete copy `dest`'s name
// (or its place, with `replace`); the temporary file never outlives a failure.
CopyResult CopyThroughTemporary(const CopyContext& context, const std::wstring& source,
                                const std::wstring& dest, bool replace) {
    FileSystem& files = context.files;
    const std::wstring folder = FolderPart(dest);
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::wstring temporary = files.TemporaryName(folder, attempt);
        const FsResult copied = files.CopyFileTo(source, temporary, TickFor(context));
        if (copied == FsResult::Exists) {
            continue;
        }
        if (copied != FsResult::Done) {
            RemoveLeftover(files, temporary);
            return copied == FsResult::Cancelled ? CopyResult::Stopped : CopyResult::Failed;
        }
        const FsResult named = RetryWhileBusy(files, [&] {
            return replace ? files.Replace(temporary, dest) : files.Move(temporary, dest, false);
        });
        if (named == FsResult::Done) {
            return CopyResult::Done;
        }
        RemoveLeftover(files, temporary);
        return CopyResult::Failed;
    }
    return CopyResult::Failed;
}

void KeepCreationTime(const CopyContext& context, const ObjectFacts& facts,
                      const std::wstring& dest) {
    if (context.keepCreationTime) {
        // A time that cannot be kept costs the copy nothing: it has its content.
        context.files.SetCreationTime(dest, facts.created);
    }
}

} // namespace

FsResult RetryWhileBusy(FileSystem& files, const std::function<FsResult()>& call) {
    FsResult result = FsResult::Failed;
    RetryBriefly(
        [&](unsigned long& error) {
            result = call();
            error = result == FsResult::Busy ? kBusyError : 0;
            return result != FsResult::Busy;
        },
        [&](unsigned long milliseconds) { files.PauseBeforeRetry(milliseconds); });
    return result;
}

CopyResult CopyNewFile(const CopyContext& context, const std::wstring& source,
                       const ObjectFacts& facts, const std::wstring& dest, bool inNewFolder) {
    FileSystem& files = context.files;
    if (facts.size > kDirectCopyLimit) {
        if (files.Facts(dest)) {
            return CopyResult::DestinationExists;
        }
        const CopyResult copied = CopyThroughTemporary(context, source, dest, false);
        if (copied != CopyResult::Done) {
            return copied;
        }
    } else {
        // The copy's own fail-if-exists test is the existence check: it spares a second search
        // for a missing name, which costs a scan of the folder where names are matched ignoring
        // case.
        const FsResult copied = files.CopyFileTo(source, dest, TickFor(context));
        if (copied == FsResult::Exists) {
            return CopyResult::DestinationExists;
        }
        if (copied != FsResult::Done) {
            if (inNewFolder) {
                RemoveLeftover(files, dest);
            }
            return copied == FsResult::Cancelled ? CopyResult::Stopped : CopyResult::Failed;
        }
    }
    KeepCreationTime(context, facts, dest);
    return CopyResult::Done;
}

CopyResult ReplaceWithCopy(const CopyContext& context, const std::wstring& source,
                           const ObjectFacts& facts, const std::wstring& dest) {
    const CopyResult copied = CopyThroughTemporary(context, source, dest, true);
    if (copied == CopyResult::Done) {
        KeepCreationTime(context, facts, dest);
    }
    return copied;
}

namespace {

// One folder of a walk: where it is, where its copy goes, and how far its listing is.
struct WalkFrame {
    std::wstring source;
    std::wstring dest;
    ObjectFacts facts;
    std::unique_ptr<FolderListing> listing;
    bool failed = false;
};

bool MakeFolderCopy(const CopyContext& context, const std::wstring& dest,
                    const ObjectFacts& facts) {
    if (context.files.CreateFolder(dest) != FsResult::Done) {
        return false;
    }
    const std::uint32_t attributes = FolderAttributesToCopy(facts.attributes);
    if (attributes != 0) {
        context.files.SetAttributes(dest, attributes); // its outcome costs the copy nothing
    }
    return true;
}

enum class EntryCopy { Done, LinkLeftOut, Failed, Stopped };

// Copies one entry that is not a folder to be walked: a file or a link.
EntryCopy CopyEntry(const CopyContext& context, const std::wstring& from, const std::wstring& to,
                    const FolderEntry& entry) {
    const EntryKind kind = ClassifyEntry(entry.facts.attributes, entry.facts.reparseTag);
    if (IsLink(kind)) {
        if (context.files.CopyLink(from, to, kind == EntryKind::FolderLink) == FsResult::Done) {
            return EntryCopy::Done;
        }
        context.user.Report(EngineMessage::WriteError, from, to);
        return EntryCopy::LinkLeftOut;
    }
    switch (CopyNewFile(context, from, entry.facts, to, true)) {
    case CopyResult::Done:
        return EntryCopy::Done;
    case CopyResult::Stopped:
        return EntryCopy::Stopped;
    case CopyResult::DestinationExists:
    case CopyResult::Failed:
        break;
    }
    return EntryCopy::Failed;
}

FolderCopy WalkFolderCopy(const CopyContext& context, std::vector<WalkFrame>& walk) {
    bool linksLeftOut = false;
    while (!walk.empty()) {
        if (context.user.ShouldStop()) {
            return FolderCopy::Stopped;
        }
        WalkFrame& top = walk.back();
        FolderEntry entry;
        if (!top.listing->Next(entry)) {
            // A listing that broke off before its end has not copied everything.
            if (!top.listing->Complete()) {
                return FolderCopy::Failed;
            }
            KeepCreationTime(context, top.facts, top.dest);
            walk.pop_back();
            continue;
        }
        const std::wstring from = top.source + L"\\" + entry.name;
        const std::wstring to = top.dest + L"\\" + entry.name;
        if (ClassifyEntry(entry.facts.attributes, entry.facts.reparseTag) == EntryKind::Folder) {
            if (!MakeFolderCopy(context, to, entry.facts)) {
                return FolderCopy::Failed;
            }
            std::unique_ptr<FolderListing> listing = context.files.List(from);
            if (!listing) {
                return FolderCopy::Failed;
            }
            walk.push_back({from, to, entry.facts, std::move(listing)});
            continue;
        }
        switch (CopyEntry(context, from, to, entry)) {
        case EntryCopy::Done:
            break;
        case EntryCopy::LinkLeftOut:
            linksLeftOut = true;
            break;
        case EntryCopy::Stopped:
            return FolderCopy::Stopped;
        case EntryCopy::Failed:
            return FolderCopy::Failed;
        }
    }
    return linksLeftOut ? FolderCopy::WithoutSomeLinks : FolderCopy::Complete;
}

} // namespace

FolderCopy CopyFolder(const CopyContext& context, const std::wstring& source,
                      const ObjectFacts& facts, const std::wstring& dest) {
    if (!MakeFolderCopy(context, dest, facts)) {
        return FolderCopy::Failed;
    }
    std::vector<WalkFrame> walk;
    std::unique_ptr<FolderListing> listing = context.files.List(source);
    if (!listing) {
        return FolderCopy::Failed;
    }
    walk.push_back({source, dest, facts, std::move(listing)});
    const FolderCopy copied = WalkFolderCopy(context, walk);
    if (copied == FolderCopy::Stopped) {
        walk.clear(); // the listings close before the copy is removed
        RemoveFolder(context, dest, true);
    }
    return copied;
}

namespace {

bool RemoveFolderItself(FileSystem& files, const std::wstring& path, std::uint32_t attributes) {
    if (const std::optional<std::uint32_t> cleared = AttributesBeforeRemoval(attributes)) {
        files.SetAttributes(path, *cleared);
    }
    return RetryWhileBusy(files, [&] { return files.RemoveEmptyFolder(path); }) == FsResult::Done;
}

bool RemoveFileEntry(FileSystem& files, const std::wstring& path, std::uint32_t attributes,
                     bool ownCopy) {
    if (attributes & kAttributeReadOnly) {
        if (!ownCopy) {
            return files.RemoveFile(path) == FsResult::Done; // refused however often asked
        }
        files.SetAttributes(path, kAttributeNormal);
    }
    return RetryWhileBusy(files, [&] { return files.RemoveFile(path); }) == FsResult::Done;
}

} // namespace

bool RemoveFolder(const CopyContext& context, const std::wstring& path, bool ownCopy) {
    FileSystem& files = context.files;
    const std::optional<ObjectFacts> facts = files.Facts(path);
    const std::uint32_t attributes = facts ? facts->attributes : 0;
    if (facts && IsLink(ClassifyEntry(facts->attributes, facts->reparseTag))) {
        return RemoveFolderItself(files, path, attributes);
    }
    std::vector<WalkFrame> walk;
    walk.push_back({path, std::wstring(), ObjectFacts{attributes}, files.List(path)});
    for (;;) {
        // Removal is never broken off, but the window goes on answering meanwhile.
        context.user.ShouldStop();
        WalkFrame& top = walk.back();
        FolderEntry entry;
        if (!top.failed && top.listing && top.listing->Next(entry)) {
            const std::wstring child = top.source + L"\\" + entry.name;
            const EntryKind kind = ClassifyEntry(entry.facts.attributes, entry.facts.reparseTag);
            if (kind == EntryKind::Folder) {
                walk.push_back({child, std::wstring(), entry.facts, files.List(child)});
                continue;
            }
            const bool removed =
                kind == EntryKind::FolderLink
                    ? RemoveFolderItself(files, child, entry.facts.attributes)
                    : RemoveFileEntry(files, child, entry.facts.attributes, ownCopy);
            top.failed = !removed;
            continue;
        }
        // A failure inside leaves the folder non-empty, so its removal fails too.
        const std::wstring folder = std::move(top.source);
        const std::uint32_t folderAttributes = top.facts.attributes;
        walk.pop_back();
        const bool removed = RemoveFolderItself(files, folder, folderAttributes);
        if (walk.empty()) {
            return removed;
        }
        walk.back().failed = !removed;
    }
}

bool CopiesIntoItself(FileSystem& files, const std::wstring& source, const std::wstring& dest) {
    const std::wstring from = files.ComparablePath(source);
    const std::wstring to = files.ComparablePath(dest);
    // A path that cannot be made comparable is refused rather than risked.
    if (from.empty() || to.empty() || IsSameOrBelow(from, to)) {
        return true;
    }
    const std::optional<ObjectId> sourceId = files.IdOf(source);
    std::wstring above = ObjectFolder(dest);
    while (!above.empty()) {
        if (CompareIds(sourceId, files.IdOf(above)) == Identity::Same) {
            return true;
        }
        std::wstring next = ObjectFolder(above);
        if (next == above) {
            break;
        }
        above = std::move(next);
    }
    return false;
}

} // namespace tarvix
