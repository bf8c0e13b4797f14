// The file system as the file engine sees it: every call the copy and move rules make, on paths
// of any length, with results the rules can tell apart. WindowsFileSystem implements it on the
// platform; the native tests implement it in memory. No platform calls.
#pragma once
#include "common/ObjectIdentity.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tarvix {

struct ObjectFacts {
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    std::uint64_t created = 0;    // 100-nanosecond intervals since 1601, UTC
    std::uint32_t reparseTag = 0; // for a reparse point only
};

struct FolderEntry {
    std::wstring name;
    ObjectFacts facts;
};

enum class FsResult {
    Done,
    Exists, // the new name is taken
    NotFound,
    NotSameDevice, // a move without copying cannot leave its volume
    Busy,          // held by another program for now (sharing, lock, or access refused)
    Cancelled,     // the copy's progress call asked to stop
    NotSupported,
    Failed,
};

// A folder's entries in the file system's order, without "." and "..".
class FolderListing {
  public:
    virtual ~FolderListing() = default;
    // The next entry; false at the end or where the listing broke off.
    virtual bool Next(FolderEntry& entry) = 0;
    // After Next returned false: true when every entry was listed.
    virtual bool Complete() const = 0;
};

// Called while a file is copied, with the bytes copied so far and the file's size; false stops
// the copy.
using CopyTick = std::function<bool(std::uint64_t done, std::uint64_t total)>;

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    virtual std::optional<ObjectFacts> Facts(const std::wstring& path) = 0;
    // Copies a file with its attributes unless `to` exists (Exists). A copy that fails or is
    // stopped removes what it wrote.
    virtual FsResult CopyFileTo(const std::wstring& from, const std::wstring& to,
                                const CopyTick& tick) = 0;
    // Copies a symbolic link or junction as the link itself, never what it names.
    virtual FsResult CopyLink(const std::wstring& from, const std::wstring& to, bool folder) = 0;
    virtual FsResult RemoveFile(const std::wstring& path) = 0;
    virtual FsResult CreateFolder(const std::wstring& path) = 0;
    virtual FsResult RemoveEmptyFolder(const std::wstring& path) = 0;
    virtual FsResult SetAttributes(const std::wstring& path, std::uint32_t attributes) = 0;
    virtual FsResult SetCreationTime(const std::wstring& path, std::uint64_t created) = 0;
    // Gives a file or folder another name and place on its own volume, never by copying it
    // (NotSameDevice where `to` lies on another volume). With `replace`, an existing file at
    // `to` is replaced; without it the move fails with Exists.
    virtual FsResult Move(const std::wstring& from, const std::wstring& to, bool replace) = 0;
    // Puts the file `replacement` in the place of the existing file `replaced`, which keeps what
    // makes it that file (permissions, owner, ID, hard links, streams); where the volume cannot
    // do that, the replacement is renamed over it.
    virtual FsResult Replace(const std::wstring& replacement, const std::wstring& replaced) = 0;
    // Null when the folder cannot be listed at all.
    virtual std::unique_ptr<FolderListing> List(const std::wstring& folder) = 0;
    virtual std::optional<ObjectId> IdOf(const std::wstring& path) = 0;
    // True when the file system takes the two paths for one name (letter case aside, as the
    // volume matches names): a cheap test that needs no call of the platform.
    virtual bool SameName(const std::wstring& first, const std::wstring& second) = 0;
    // A spelling of `path` fit for comparing with another: full, long names for the part that
    // exists, lower-cased. Empty when the path cannot be made full.
    virtual std::wstring ComparablePath(const std::wstring& path) = 0;
    // A name for a temporary file in `folder` (which ends in '\'), new for each attempt; the
    // caller creates it with a copy that fails on a taken name.
    virtual std::wstring TemporaryName(const std::wstring& folder, unsigned attempt) = 0;
    // Waits before a call that found its object busy is made again.
    virtual void PauseBeforeRetry(unsigned long milliseconds) = 0;
};

} // namespace tarvix
