#include "TempFolder.h"

#include "platform/Win.h"

namespace tarvix::test {

TempFolder::TempFolder(const std::string& leaf) {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::string(base) + leaf + std::to_string(::GetCurrentProcessId()) + "_" +
                std::to_string(++counter);
        if (::CreateDirectoryA(path_.c_str(), nullptr)) {
            break;
        }
    }
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

namespace {

void WriteAll(HANDLE file, const std::string& content) {
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string ReadAll(HANDLE file) {
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

void WideSnapshotBelow(const std::wstring& root, const std::wstring& relative,
                       std::map<std::wstring, std::string>& map) {
    WIN32_FIND_DATAW entry;
    const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            map[path] = "<dir>";
            WideSnapshotBelow(root, path, map);
        } else {
            map[path] = ReadTextFile(root + L"\\" + path);
        }
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
}

} // namespace

void WriteTextFile(const std::string& path, const std::string& content) {
    WriteAll(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr),
             content);
}

void WriteTextFile(const std::wstring& path, const std::string& content) {
    WriteAll(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr),
             content);
}

std::string ReadTextFile(const std::string& path) {
    return ReadAll(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string ReadTextFile(const std::wstring& path) {
    return ReadAll(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::map<std::wstring, std::string> WideSnapshot(const std::wstring& root) {
    std::map<std::wstring, std::string> map;
    WideSnapshotBelow(root, L"", map);
    return map;
}

void MakeFolder(const std::string& path) {
    ::CreateDirectoryA(path.c_str(), nullptr);
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

template <class Visit> void ForEachEntry(const std::string& folder, Visit visit) {
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            visit(name, found.dwFileAttributes);
        }
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
}

void SnapshotInto(const std::string& root, const std::string& relative,
                  std::map<std::string, std::string>& files) {
    const std::string folder = relative.empty() ? root : root + "\\" + relative;
    ForEachEntry(folder, [&](const std::string& name, DWORD attributes) {
        const std::string path = relative.empty() ? name : relative + "\\" + name;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            files[path] = "<dir>";
            SnapshotInto(root, path, files);
        } else {
            files[path] = ReadTextFile(root + "\\" + path);
        }
    });
}

} // namespace

std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    SnapshotInto(root, "", files);
    return files;
}

std::map<std::string, bool> NamesIn(const std::string& folder) {
    std::map<std::string, bool> names;
    ForEachEntry(folder, [&](const std::string& name, DWORD attributes) {
        names[name] = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    });
    return names;
}

void RemoveTree(const std::string& path) {
    ForEachEntry(path, [&](const std::string& name, DWORD attributes) {
        const std::string child = path + "\\" + name;
        ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            RemoveTree(child);
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            ::RemoveDirectoryA(child.c_str());
        } else {
            ::DeleteFileA(child.c_str());
        }
    });
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryA(path.c_str());
}

} // namespace tarvix::test
