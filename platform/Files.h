// File system calls of the modules, each able to fail on request for the tests. Every path may
// be as long as the platform allows (the prefix for long paths is added here) and hold any
// character a name may hold.
#pragma once
#include "Handles.h"
#include "Win.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvix {

// Opens that let every other handle read, write and delete: previewers and watchers keep theirs.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

DWORD FileAttributes(const std::wstring& path);
// The attributes, size and creation time of an existing object, in one call.
struct FileFacts {
    DWORD attributes = 0;
    unsigned long long size = 0;
    FILETIME created{};
};
std::optional<FileFacts> FactsOf(const std::wstring& path);
// The same as a folder listing gives them.
FileFacts FactsOf(const WIN32_FIND_DATAW& entry);
// The reparse tag of an object that is a reparse point; 0 for any other.
DWORD ReparseTagOf(const std::wstring& path);
bool SetFileAttributesOf(const std::wstring& path, DWORD attributes);

// Called now and then while a file is copied (see CopyProgressPacer).
using CopyProgress = std::function<void()>;
// CopyFileEx: the file with its attributes. A failed copy keeps its error for GetLastError.
bool CopyFileTo(const std::wstring& from, const std::wstring& to, bool failIfExists,
                const CopyProgress& progress = nullptr);
// Copies a symbolic link or junction as the link itself, never what it names; false where the
// platform does not allow it (creating symbolic links needs a privilege).
bool CopyLink(const std::wstring& from, const std::wstring& to, bool folder);
bool DeleteFileAt(const std::wstring& path);
bool CreateFolderAt(const std::wstring& path);
bool RemoveEmptyFolder(const std::wstring& path);
bool MoveFileReplacing(const std::wstring& from, const std::wstring& to);
// Gives a file another name in the same volume; fails when `to` exists.
bool MoveFileTo(const std::wstring& from, const std::wstring& to);

// Renames or moves a file or folder. A rename that only changes letter case really changes
// the name on disk, also where the platform reports success without doing it.
bool MovePath(const std::wstring& from, const std::wstring& to);

// The name the file system holds for an existing object, or empty.
std::wstring NameOnDisk(const std::wstring& path);

// A name in `folder` (which ends in '\' or ':' or is empty) that no object uses yet.
std::wstring UnusedNameIn(const std::wstring& folder);
// Names for temporary files in `folder`, a new one for each attempt, without the search that
// UnusedNameIn makes: the caller creates them with a test that fails on an existing name.
std::wstring TemporaryNameIn(const std::wstring& folder, unsigned attempt);

// Whether two paths name one object, told by volume and file index: both are opened with full
// sharing and no access to their data, so a file open elsewhere (a preview, a thumbnailer)
// is judged as well.
enum class Identity { Same, Different, Unknown };
Identity CompareObjects(const std::wstring& first, const std::wstring& second);

// The first entry of a folder listing (`pattern` such as Folder\*.*), and the next ones.
FindHandle FindFirstEntry(const std::wstring& pattern, WIN32_FIND_DATAW& entry);
bool FindNextEntry(const FindHandle& find, WIN32_FIND_DATAW& entry);

// A spelling of `path` fit for comparing with another: full, with long names for the part that
// exists, lower-cased. Empty when the path cannot be made full.
std::wstring ComparablePath(const std::wstring& path);

} // namespace tarvix
