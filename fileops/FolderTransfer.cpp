#include "FolderTransfer.h"

#include "fileops/CopyMoveRules.h"
#include "platform/Files.h"
#include "common/PathTerms.h"

#include <cstring>

namespace tarvix {
namespace {

// Listings hold "." and ".." first except in a drive's root, so they are told by name.
bool IsSelfOrParent(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

bool IsFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsLink(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

} // namespace

bool CopyFolder(const std::string& source, const std::string& dest) {
    if (!CreateFolderAt(dest)) {
        return false;
    }
    SetFileAttributesOf(dest, FileAttributes(source));
    WIN32_FIND_DATAA entry;
    FindHandle listing = FindFirstEntry(source + "\\*.*", entry);
    if (!listing) {
        // Only a drive's empty root lists nothing at all; any other failure copied nothing.
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    bool succeeded = true;
    do {
        if (IsSelfOrParent(entry.cFileName)) {
            continue;
        }
        const std::string from = source + "\\" + entry.cFileName;
        const std::string to = dest + "\\" + entry.cFileName;
        succeeded =
            IsFolder(entry.dwFileAttributes) ? CopyFolder(from, to) : CopyFileTo(from, to, true);
    } while (succeeded && FindNextEntry(listing, entry));
    // A listing that broke off before its end has not copied everything: the source stays.
    return succeeded && ::GetLastError() == ERROR_NO_MORE_FILES;
}

bool RemoveFolder(const std::string& path) {
    if (!IsLink(FileAttributes(path))) {
        WIN32_FIND_DATAA entry;
        FindHandle listing = FindFirstEntry(path + "\\*.*", entry);
        if (listing) {
            bool succeeded = true;
            do {
                if (IsSelfOrParent(entry.cFileName)) {
                    continue;
                }
                const std::string child = path + "\\" + entry.cFileName;
                succeeded =
                    IsFolder(entry.dwFileAttributes) ? RemoveFolder(child) : DeleteFileAt(child);
            } while (succeeded && FindNextEntry(listing, entry));
        }
    }
    return RemoveEmptyFolder(path);
}

bool ReplaceWithCopy(const std::string& source, const std::string& dest) {
    const std::string temporary = UnusedNameIn(FolderPart(dest));
    if (temporary.empty()) {
        return false;
    }
    if (CopyFileTo(source, temporary, true) && MoveFileReplacing(temporary, dest)) {
        return true;
    }
    if (FileAttributes(temporary) != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesOf(temporary, FILE_ATTRIBUTE_NORMAL);
        DeleteFileAt(temporary);
    }
    return false;
}

bool CopiesIntoItself(const std::string& source, const std::string& dest) {
    const std::string from = ComparablePath(source);
    const std::string to = ComparablePath(dest);
    // A path that cannot be made comparable is refused rather than risked.
    return from.empty() || to.empty() || IsSameOrBelow(from, to);
}

} // namespace tarvix
