#include "FileTimes.h"

#include "Faults.h"
#include "Files.h"
#include "LongPath.h"

namespace tarvix {

#ifdef TARVIX_TEST_SEAMS
namespace {

bool g_recording = false;
std::vector<FileTimeCall> g_recorded;

} // namespace
#endif

FileTimeWriter::FileTimeWriter(const std::wstring& path, DWORD access) : path_(path) {
    if (FaultNow(FaultCall::FileOpen)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return;
    }
    file_ = FileHandle(::CreateFileW(ExtendedPath(path).c_str(), access, kShareAll, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

bool SetCreationTime(const std::wstring& path, const FILETIME& created) {
    FileTimeWriter writer(path, FILE_WRITE_ATTRIBUTES);
    return writer.IsOpen() && writer.Set(FileStamp::Created, created);
}

bool FileTimeWriter::Set(FileStamp stamp, const FILETIME& time) {
    const FILETIME* creation = stamp == FileStamp::Created ? &time : nullptr;
    const FILETIME* lastAccess = stamp == FileStamp::Accessed ? &time : nullptr;
    const FILETIME* lastWrite = stamp == FileStamp::Modified ? &time : nullptr;
    bool succeeded = false;
    if (FaultNow(FaultCall::FileTimeSet)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
    } else {
        succeeded = ::SetFileTime(file_.Get(), creation, lastAccess, lastWrite) != FALSE;
    }
#ifdef TARVIX_TEST_SEAMS
    if (g_recording) {
        g_recorded.push_back(FileTimeCall{path_, creation != nullptr, lastAccess != nullptr,
                                          lastWrite != nullptr, time, succeeded});
    }
#endif
    return succeeded;
}

#ifdef TARVIX_TEST_SEAMS

void RecordFileTimeCalls(bool on) {
    g_recording = on;
    if (on) {
        g_recorded.clear();
    }
}

std::vector<FileTimeCall> RecordedFileTimeCalls() {
    return g_recorded;
}
#endif

} // namespace tarvix
