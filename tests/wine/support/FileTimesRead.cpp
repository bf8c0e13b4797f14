#include "FileTimesRead.h"

#include "platform/LongPath.h"

namespace tarvix::test {

namespace {

HANDLE OpenForTimes(const std::wstring& path, DWORD access) {
    return ::CreateFileW(ExtendedPath(path).c_str(), access,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace

StampTimes ReadTimes(const std::wstring& path) {
    StampTimes times;
    HANDLE file = OpenForTimes(path, FILE_READ_ATTRIBUTES);
    ::GetFileTime(file, &times.created, &times.accessed, &times.written);
    ::CloseHandle(file);
    return times;
}

void WriteTimes(const std::wstring& path, const FILETIME& time) {
    HANDLE file = OpenForTimes(path, FILE_WRITE_ATTRIBUTES);
    ::SetFileTime(file, &time, &time, &time);
    ::CloseHandle(file);
}

FILETIME UtcTime(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME parts{};
    parts.wYear = static_cast<WORD>(year);
    parts.wMonth = static_cast<WORD>(month);
    parts.wDay = static_cast<WORD>(day);
    parts.wHour = static_cast<WORD>(hour);
    parts.wMinute = static_cast<WORD>(minute);
    parts.wSecond = static_cast<WORD>(second);
    FILETIME time{};
    ::SystemTimeToFileTime(&parts, &time);
    return time;
}

SYSTEMTIME LocalParts(const FILETIME& utc) {
    SYSTEMTIME universal{};
    SYSTEMTIME local{};
    ::FileTimeToSystemTime(&utc, &universal);
    ::SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local);
    return local;
}

bool SameTime(const FILETIME& left, const FILETIME& right) {
    return ::CompareFileTime(&left, &right) == 0;
}

} // namespace tarvix::test
