#include "stamp_driver.h"

namespace tarvix::test {

const char kStampCaption[] = "Change time stamp";

std::string ItemText(HWND dialog, int id) {
    return WindowText(::GetDlgItem(dialog, id));
}

void TypeField(HWND dialog, int editId, const std::string& text) {
    HWND edit = ::GetDlgItem(dialog, editId);
    ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageA(dialog, WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_STAMP_NOW)), TRUE);
}

void PressArrow(HWND dialog, int editId, bool up) {
    HWND edit = ::GetDlgItem(dialog, editId);
    ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    ::SendMessageA(edit, WM_KEYDOWN, up ? VK_UP : VK_DOWN, 1);
    ::SendMessageA(edit, WM_KEYUP, up ? VK_UP : VK_DOWN, 1 | (3u << 30));
}

HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

void PostKey(HWND control, WPARAM key) {
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(static_cast<UINT>(key), 0)) << 16;
    ::PostMessageA(control, WM_KEYDOWN, key, 1 | scan);
    ::PostMessageA(control, WM_KEYUP, key, 1 | scan | (LPARAM(3) << 30));
}

std::vector<SeenWindow> WithStampDialog(const std::function<void(HWND)>& act,
                                        const std::function<void()>& command) {
    WindowRobot robot;
    robot.Then(kStampCaption, act);
    robot.Start();
    command();
    return robot.Finish();
}

std::vector<std::string> BoxTexts(const std::vector<SeenWindow>& seen, const std::string& caption) {
    std::vector<std::string> texts;
    for (const SeenWindow& window : seen) {
        if (window.caption == caption) {
            texts.push_back(window.text);
        }
    }
    return texts;
}

namespace {

HANDLE OpenForTimes(const std::string& path, DWORD access) {
    return ::CreateFileA(path.c_str(), access,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace

StampTimes ReadTimes(const std::string& path) {
    StampTimes times;
    HANDLE file = OpenForTimes(path, FILE_READ_ATTRIBUTES);
    ::GetFileTime(file, &times.created, &times.accessed, &times.written);
    ::CloseHandle(file);
    return times;
}

void WriteTimes(const std::string& path, const FILETIME& time) {
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
