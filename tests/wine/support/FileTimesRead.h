// Reading and setting the time stamps of files and folders, as the tests check them.
#pragma once
#include "platform/Win.h"

#include <string>

namespace tarvix::test {

struct StampTimes {
    FILETIME created{};
    FILETIME accessed{};
    FILETIME written{};
};
StampTimes ReadTimes(const std::wstring& path);
void WriteTimes(const std::wstring& path, const FILETIME& time);
// A file time in UTC from its calendar parts, and a file time as local calendar parts with the
// rules in force on its date.
FILETIME UtcTime(int year, int month, int day, int hour, int minute, int second);
SYSTEMTIME LocalParts(const FILETIME& utc);
bool SameTime(const FILETIME& left, const FILETIME& right);

} // namespace tarvix::test
