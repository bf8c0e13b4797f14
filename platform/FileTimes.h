// Changing the time stamps of files and folders, one stamp per SetFileTime call.
#pragma once
#include "Handles.h"
#include "Win.h"

#include <string>
#include <vector>

namespace tarvix {

enum class FileStamp { Created, Modified, Accessed };

// A file or folder held open for changing its time stamps: write access (so a read-only file
// does not open), backup semantics so that a folder opens as well as a file, and full sharing,
// so a file that the preview pane holds, or a folder that Explorer watches, opens too.
class FileTimeWriter {
  public:
    explicit FileTimeWriter(const std::wstring& path, DWORD access = GENERIC_WRITE);
    bool IsOpen() const { return file_.Valid(); }
    // Writes `time` (UTC) as the one stamp and leaves the other two alone; false on failure.
    bool Set(FileStamp stamp, const FILETIME& time);

  private:
    std::wstring path_;
    FileHandle file_;
};

// Gives an object the creation time it had before a move; false when it could not be written.
bool SetCreationTime(const std::wstring& path, const FILETIME& created);

#ifdef TARVIX_TEST_SEAMS
// Test seam: the SetFileTime calls as they were made, in order, with the stamps each carried.
// Needed because some file systems keep no creation time to read back.
struct FileTimeCall {
    std::wstring path;
    bool creation = false;
    bool lastAccess = false;
    bool lastWrite = false;
    FILETIME time{};
    bool succeeded = false;
};
// Starts (or stops) recording; starting forgets earlier calls.
void RecordFileTimeCalls(bool on);
std::vector<FileTimeCall> RecordedFileTimeCalls();
#endif

} // namespace tarvix
