// The engine's file and folder routines: copies that never leave a half-written file under its
// final name, the folder copy and removal, and the safe replacement of an existing file. They
// walk folder trees with a stack of their own on the heap, so no depth of tree can exhaust the
// shell thread's stack. No platform calls: they work through a FileSystem.
#pragma once
#include "TransferConversation.h"
#include "platform/FileSystem.h"

#include <functional>
#include <string>

namespace tarvix {

// Files up to this size are copied straight under their name, larger ones through a temporary
// name. A rename per small file costs about as much as its copy, and a file of one block is
// written by one call, over before anyone can break it off.
constexpr unsigned long long kDirectCopyLimit = 64 * 1024;

// What one object's copy works with.
struct CopyContext {
    FileSystem& files;
    // Told how far each file's copy is, asked whether to stop, told of links left out.
    TransferConversation& user;
    // A move keeps the creation time of every file and folder it copies; a copy does not.
    bool keepCreationTime = false;
};

enum class CopyResult { Done, DestinationExists, Failed, Stopped };

// Copies the file `source` (with its `facts`) to `dest` unless `dest` exists. Small files go
// straight under their name, larger ones through a temporary name beside `dest` that takes its
// name only once complete, so a failed or stopped copy leaves no file under `dest` and no
// temporary one. `inNewFolder`: `dest` lies in a folder this copy made, so whatever a failed
// copy left there is its own.
CopyResult CopyNewFile(const CopyContext& context, const std::wstring& source,
                       const ObjectFacts& facts, const std::wstring& dest, bool inNewFolder);

// Copies the file `source` over the existing file `dest` through a temporary name, so a failed
// copy leaves `dest` as it was; the complete copy takes the place of `dest`, which keeps its
// permissions and identity where the volume allows.
CopyResult ReplaceWithCopy(const CopyContext& context, const std::wstring& source,
                           const ObjectFacts& facts, const std::wstring& dest);

enum class FolderCopy { Complete, WithoutSomeLinks, Failed, Stopped };

// Copies the folder `source` as the new folder `dest`, with its attributes and everything in it:
// folders are created before their contents; links inside are copied as links, never entered.
// What was made before a failure stays; a copy the user stopped is removed again.
FolderCopy CopyFolder(const CopyContext& context, const std::wstring& source,
                      const ObjectFacts& facts, const std::wstring& dest);

// Removes the folder `path` with everything in it, contents before their folder. A link to a
// folder is removed itself, never entered. A read-only file stops the removal (it is the
// user's mark), unless `ownCopy`: the tree is one this run made. True when `path` itself was
// removed.
bool RemoveFolder(const CopyContext& context, const std::wstring& path, bool ownCopy = false);

// True when copying the folder `source` to `dest` would put it inside itself: by the spelling
// of the paths (whole components of full, long, lower-cased paths), or because an existing
// folder above `dest` is `source` itself, reached through another name (a link, a junction, a
// mapped drive, a share, an alias).
bool CopiesIntoItself(FileSystem& files, const std::wstring& source, const std::wstring& dest);

// Makes `call` again, after a pause, while it finds its object busy: a scanner or indexer may
// hold a fresh file for a moment.
FsResult RetryWhileBusy(FileSystem& files, const std::function<FsResult()>& call);

} // namespace tarvix
