#include "FolderTransfer.h"

#include "EntryKind.h"
#include "common/PathTerms.h"
#include "fileops/CopyMoveRules.h"
#include "platform/FileTimes.h"

#include <cwchar>

namespace tarvix {
namespace {

constexpr unsigned kTemporaryNameAttempts = 16;

// Listings hold "." and ".." first except in a drive's root, so they are told by name.
bool IsSelfOrParent(const wchar_t* name) {
    return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

void RemoveLeftover(const std::wstring& path) {
    const DWORD attributes = FileAttributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesOf(path, FILE_ATTRIBUTE_NORMAL);
        DeleteFileAt(path);
    }
}

// Copies `source` to a temporary name beside `dest` and gives the complete copy `dest`'s name;
// the temporary file never outlives a failure.
bool CopyThroughTemporary(const std::wstring& source, const std::wstring& dest, bool replace,
                          const CopyOptions& options) {
    const std::wstring folder = FolderPart(dest);
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::wstring temporary = TemporaryNameIn(folder, attempt);
        if (!CopyFileTo(source, temporary, true, options.progress)) {
            const bool nameTaken = ::GetLastError() == ERROR_FILE_EXISTS;
            if (!nameTaken) {
                RemoveLeftover(temporary);
                return false;
            }
            continue;
        }
        if ((replace ? MoveFileReplacing(temporary, dest) : MoveFileTo(temporary, dest))) {
            return true;
        }
        RemoveLeftover(temporary);
        return false;
    }
    return false;
}

void KeepCreationTime(const FileFacts& facts, const std::wstring& dest,
                      const CopyOptions& options) {
    if (options.keepCreationTime) {
        // A time that cannot be kept costs the copy nothing: it has its content.
        SetCreationTime(dest, facts.created);
    }
}

} // namespace

NewFileCopy CopyNewFile(const std::wstring& source, const FileFacts& facts,
                        const std::wstring& dest, bool inNewFolder, const CopyOptions& options) {
    if (facts.size > kDirectCopyLimit) {
        if (FileAttributes(dest) != INVALID_FILE_ATTRIBUTES) {
            return NewFileCopy::DestinationExists;
        }
        if (!CopyThroughTemporary(source, dest, false, options)) {
            return NewFileCopy::Failed;
        }
    } else if (!CopyFileTo(source, dest, true, options.progress)) {
        // The copy's own fail-if-exists test is the existence check: it spares a second search
        // for a missing name, which costs a scan of the folder where names are matched
        // ignoring case.
        if (::GetLastError() == ERROR_FILE_EXISTS) {
            return NewFileCopy::DestinationExists;
        }
        if (inNewFolder) {
            RemoveLeftover(dest);
        }
        return NewFileCopy::Failed;
    }
    KeepCreationTime(facts, dest, options);
    return NewFileCopy::Copied;
}

bool ReplaceWithCopy(const std::wstring& source, const FileFacts& facts, const std::wstring& dest,
                     const CopyOptions& options) {
    if (!CopyThroughTemporary(source, dest, true, options)) {
        return false;
    }
    KeepCreationTime(facts, dest, options);
    return true;
}

namespace {

bool CopyEntry(const std::wstring& from, const std::wstring& to, const WIN32_FIND_DATAW& entry,
               const CopyOptions& options, bool& linksSkipped) {
    const EntryKind kind = ClassifyEntry(entry.dwFileAttributes, entry.dwReserved0);
    if (IsLink(kind)) {
        if (!CopyLink(from, to, kind == EntryKind::FolderLink)) {
            linksSkipped = true;
            if (options.linkNotCopied) {
                options.linkNotCopied(from, to);
            }
        }
        return true;
    }
    if (kind == EntryKind::Folder) {
        const FolderCopy copied = CopyFolder(from, FactsOf(entry), to, options);
        linksSkipped = linksSkipped || copied == FolderCopy::WithoutSomeLinks;
        return copied != FolderCopy::Failed;
    }
    return CopyNewFile(from, FactsOf(entry), to, true, options) == NewFileCopy::Copied;
}

} // namespace

FolderCopy CopyFolder(const std::wstring& source, const FileFacts& facts, const std::wstring& dest,
                      const CopyOptions& options) {
    if (!CreateFolderAt(dest)) {
        return FolderCopy::Failed;
    }
    SetFileAttributesOf(dest, facts.attributes);
    WIN32_FIND_DATAW entry;
    FindHandle listing = FindFirstEntry(source + L"\\*.*", entry);
    if (!listing) {
        // Only a drive's empty root lists nothing at all; any other failure copied nothing.
        const bool empty = ::GetLastError() == ERROR_FILE_NOT_FOUND;
        return empty ? FolderCopy::Complete : FolderCopy::Failed;
    }
    bool succeeded = true;
    bool linksSkipped = false;
    do {
        if (!IsSelfOrParent(entry.cFileName)) {
            succeeded = CopyEntry(source + L"\\" + entry.cFileName, dest + L"\\" + entry.cFileName,
                                  entry, options, linksSkipped);
        }
    } while (succeeded && FindNextEntry(listing, entry));
    // A listing that broke off before its end has not copied everything: the source stays.
    if (!succeeded || ::GetLastError() != ERROR_NO_MORE_FILES) {
        return FolderCopy::Failed;
    }
    KeepCreationTime(facts, dest, options);
    return linksSkipped ? FolderCopy::WithoutSomeLinks : FolderCopy::Complete;
}

bool RemoveFolder(const std::wstring& path) {
    const DWORD attributes = FileAttributes(path);
    const bool link = attributes != INVALID_FILE_ATTRIBUTES &&
                      IsLink(ClassifyEntry(attributes, ReparseTagOf(path)));
    if (!link) {
        WIN32_FIND_DATAW entry;
        FindHandle listing = FindFirstEntry(path + L"\\*.*", entry);
        if (listing) {
            bool succeeded = true;
            do {
                if (IsSelfOrParent(entry.cFileName)) {
                    continue;
                }
                const std::wstring child = path + L"\\" + entry.cFileName;
                const bool folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
                succeeded = folder ? RemoveFolder(child) : DeleteFileAt(child);
            } while (succeeded && FindNextEntry(listing, entry));
        }
    }
    return RemoveEmptyFolder(path);
}

bool CopiesIntoItself(const std::wstring& source, const std::wstring& dest) {
    const std::wstring from = ComparablePath(source);
    const std::wstring to = ComparablePath(dest);
    // A path that cannot be made comparable is refused rather than risked.
    return from.empty() || to.empty() || IsSameOrBelow(from, to);
}

} // namespace tarvix
