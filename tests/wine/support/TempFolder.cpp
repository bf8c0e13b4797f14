#include "TempFolder.h"

#include "platform/LongPath.h"
#include "platform/Win.h"

#include <gtest/gtest.h>

namespace tarvix::test {

std::wstring W(std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string U8(std::wstring_view wide) {
    const int size = static_cast<int>(wide.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

TempFolder::TempFolder(const std::string& leaf, Volume volume) {
    wchar_t base[MAX_PATH] = L"S:\\";
    if (volume == Volume::Temporary) {
        ::GetTempPathW(MAX_PATH, base);
    } else if (::GetDriveTypeW(base) == DRIVE_NO_ROOT_DIR) {
        ADD_FAILURE() << "drive S: is missing: the test scripts map it to a second file system";
    }
    static unsigned counter = 0;
    for (;;) {
        path_ = std::wstring(base) + W(leaf) + std::to_wstring(::GetCurrentProcessId()) + L"_" +
                std::to_wstring(++counter);
        if (::CreateDirectoryW(path_.c_str(), nullptr) ||
            ::GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

namespace {

std::wstring Long(const std::wstring& path) {
    return ExtendedPath(path);
}

template <class Visit> void ForEachEntry(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW(Long(folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
            visit(name, found.dwFileAttributes);
        }
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
}

void SnapshotInto(const std::wstring& root, const std::wstring& relative,
                  std::map<std::string, std::string>& files) {
    const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
    ForEachEntry(folder, [&](const std::wstring& name, DWORD attributes) {
        const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            files[U8(path)] = "<dir>";
            SnapshotInto(root, path, files);
        } else {
            files[U8(path)] = ReadTextFile(root + L"\\" + path);
        }
    });
}

} // namespace

void WriteTextFile(const std::wstring& path, const std::string& content) {
    HANDLE file = ::CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string ReadTextFile(const std::wstring& path) {
    HANDLE file =
        ::CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<missing>";
    }
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        content.append(buffer, read);
    }
    ::CloseHandle(file);
    return content;
}

void MakeFolder(const std::wstring& path) {
    ::CreateDirectoryW(Long(path).c_str(), nullptr);
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::map<std::string, std::string> Snapshot(const std::wstring& root) {
    std::map<std::string, std::string> files;
    SnapshotInto(root, L"", files);
    return files;
}

std::map<std::string, bool> NamesIn(const std::wstring& folder) {
    std::map<std::string, bool> names;
    ForEachEntry(folder, [&](const std::wstring& name, DWORD attributes) {
        names[U8(name)] = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    });
    return names;
}

std::wstring CurrentFolder() {
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
}

void RemoveTree(const std::wstring& path) {
    ForEachEntry(path, [&](const std::wstring& name, DWORD attributes) {
        const std::wstring child = path + L"\\" + name;
        ::SetFileAttributesW(Long(child).c_str(), FILE_ATTRIBUTE_NORMAL);
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            RemoveTree(child);
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            ::RemoveDirectoryW(Long(child).c_str());
        } else {
            ::DeleteFileW(Long(child).c_str());
        }
    });
    ::SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(Long(path).c_str());
}

} // namespace tarvix::test
