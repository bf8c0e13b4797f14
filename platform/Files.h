// File system calls of the modules, each able to fail on request for the tests.
#pragma once
#include "Handles.h"
#include "Win.h"

#include <string>
#include <string_view>

namespace tarvix {

DWORD FileAttributes(const std::string& path);
bool SetFileAttributesOf(const std::string& path, DWORD attributes);
bool CopyFileTo(const std::string& from, const std::string& to, bool failIfExists);
bool DeleteFileAt(const std::string& path);
bool CreateFolderAt(const std::string& path);
bool RemoveEmptyFolder(const std::string& path);
bool MoveFileReplacing(const std::string& from, const std::string& to);

// Renames or moves a file or folder. A rename that only changes letter case really changes
// the name on disk, also where the platform reports success without doing it.
bool MovePath(const std::string& from, const std::string& to);

// The name the file system holds for an existing object, or empty.
std::string NameOnDisk(const std::string& path);

// A name in `folder` (which ends in '\' or ':' or is empty) that no object uses yet.
std::string UnusedNameIn(const std::string& folder);

// Opens an existing file for reading with no sharing; invalid when it does not open (missing,
// a folder, unreadable, or open elsewhere).
FileHandle OpenExclusiveForReading(const std::string& path);

// The first entry of a folder listing (`pattern` such as Folder\*.*), and the next ones.
FindHandle FindFirstEntry(const std::string& pattern, WIN32_FIND_DATAA& entry);
bool FindNextEntry(const FindHandle& find, WIN32_FIND_DATAA& entry);

// A spelling of `path` fit for comparing with another: full, with long names for the part that
// exists, lower-cased. Empty when the path cannot be made full.
std::string ComparablePath(const std::string& path);

} // namespace tarvix
