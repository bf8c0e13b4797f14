// The engine's file and folder routines: copies that never leave a half-written file under
// its final name, the recursive folder copy and removal, and the safe replacement of an
// existing file.
#pragma once
#include "platform/Files.h"

#include <functional>
#include <string>

namespace tarvix {

// Files up to this size are copied straight under their name, larger ones through a temporary
// name. A rename per small file costs about as much as its copy, and a file of one block is
// written by one call, over before anyone can break it off.
constexpr unsigned long long kDirectCopyLimit = 64 * 1024;

struct CopyOptions {
    // A move keeps the creation time of every file and folder it copies; a copy does not.
    bool keepCreationTime = false;
    CopyProgress progress;
    // A link inside a copied folder that the platform does not let be copied as a link.
    std::function<void(const std::wstring& from, const std::wstring& to)> linkNotCopied;
};

enum class NewFileCopy { Copied, DestinationExists, Failed };

// Copies the file `source` (with its `facts`) to `dest` unless `dest` exists. Small files go
// straight under their name, larger ones through a temporary name beside `dest` that takes its
// name only once complete, so a failed copy leaves no file under `dest` and no temporary one.
// A small file's failed copy leaves nothing either where `dest` lies in a folder the copy
// made (what is there is the copy's own); elsewhere the platform's copy removes it.
NewFileCopy CopyNewFile(const std::wstring& source, const FileFacts& facts,
                        const std::wstring& dest, bool inNewFolder, const CopyOptions& options);

// Copies the file `source` over the existing file `dest` through a temporary name, so a failed
// copy leaves `dest` as it was.
bool ReplaceWithCopy(const std::wstring& source, const FileFacts& facts, const std::wstring& dest,
                     const CopyOptions& options);

enum class FolderCopy { Complete, WithoutSomeLinks, Failed };

// Copies the folder `source` as the new folder `dest`, with its attributes and everything in
// it; links inside are copied as links, never entered. What was made before a failure stays.
FolderCopy CopyFolder(const std::wstring& source, const FileFacts& facts, const std::wstring& dest,
                      const CopyOptions& options);

// Removes the folder `path` with everything in it. A link to a folder (a junction or symbolic
// link) is removed itself, never entered, so its target stays untouched; a cloud placeholder
// is an ordinary folder. True when `path` itself was removed.
bool RemoveFolder(const std::wstring& path);

// True when copying the folder `source` to `dest` would put it inside itself, compared by
// whole components of canonical spellings (aliases such as short names included).
bool CopiesIntoItself(const std::wstring& source, const std::wstring& dest);

} // namespace tarvix
