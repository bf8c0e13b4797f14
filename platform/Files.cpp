#include "Files.h"

#include "CaseConversion.h"
#include "CopyProgress.h"
#include "Faults.h"
#include "Handles.h"
#include "LongPath.h"
#include "SizedText.h"
#include "common/PathTerms.h"

#include <atomic>
#include <vector>

#include <winioctl.h>

namespace tarvix {
namespace {

bool Fail(FaultCall call) {
    if (FaultNow(call)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return true;
    }
    return false;
}

// A path the platform gave back with the prefix, as the modules hold it.
std::wstring WithoutPrefix(std::wstring path) {
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        return L"\\\\" + path.substr(8);
    }
    if (path.rfind(L"\\\\?\\", 0) == 0) {
        return path.substr(4);
    }
    return path;
}

bool EqualIgnoringCase(std::wstring_view left, std::wstring_view right) {
    return left.size() == right.size() && LowerCase(left) == LowerCase(right);
}

unsigned long long SizeOf(DWORD high, DWORD low) {
    return (static_cast<unsigned long long>(high) << 32) | low;
}

} // namespace

DWORD FileAttributes(const std::wstring& path) {
    return ::GetFileAttributesW(ExtendedPath(path).c_str());
}

std::optional<FileFacts> FactsOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(ExtendedPath(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return FileFacts{data.dwFileAttributes, SizeOf(data.nFileSizeHigh, data.nFileSizeLow),
                     data.ftCreationTime};
}

FileFacts FactsOf(const WIN32_FIND_DATAW& entry) {
    return FileFacts{entry.dwFileAttributes, SizeOf(entry.nFileSizeHigh, entry.nFileSizeLow),
                     entry.ftCreationTime};
}

DWORD ReparseTagOf(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    FindHandle find(::FindFirstFileW(ExtendedPath(path).c_str(), &found));
    return find && (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? found.dwReserved0 : 0;
}

bool SetFileAttributesOf(const std::wstring& path, DWORD attributes) {
    return ::SetFileAttributesW(ExtendedPath(path).c_str(), attributes) != FALSE;
}

bool CopyFileTo(const std::wstring& from, const std::wstring& to, bool failIfExists,
                const CopyProgress& progress) {
    if (Fail(FaultCall::FileCopy)) {
        return false;
    }
    CopyProgressPacer pacer(progress);
    return ::CopyFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(),
                         progress ? CopyProgressPacer::Routine : nullptr, &pacer, nullptr,
                         failIfExists ? COPY_FILE_FAIL_IF_EXISTS : 0) != FALSE;
}

namespace {

// The reparse data of a link, as FSCTL_GET_REPARSE_POINT gives it.
std::vector<BYTE> ReparseData(const std::wstring& path) {
    FileHandle link(::CreateFileW(
        ExtendedPath(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
        FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    std::vector<BYTE> data(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD size = 0;
    if (!link || !::DeviceIoControl(link.Get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(),
                                    static_cast<DWORD>(data.size()), &size, nullptr)) {
        return {};
    }
    data.resize(size);
    return data;
}

bool SetReparseData(const std::wstring& path, std::vector<BYTE>& data) {
    FileHandle link(
        ::CreateFileW(ExtendedPath(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    DWORD unused = 0;
    return link && ::DeviceIoControl(link.Get(), FSCTL_SET_REPARSE_POINT, data.data(),
                                     static_cast<DWORD>(data.size()), nullptr, 0, &unused, nullptr);
}

} // namespace

bool CopyLink(const std::wstring& from, const std::wstring& to, bool folder) {
    if (!folder) {
        return !Fail(FaultCall::FileCopy) &&
               ::CopyFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(), nullptr, nullptr,
                             nullptr, COPY_FILE_COPY_SYMLINK | COPY_FILE_FAIL_IF_EXISTS) != FALSE;
    }
    std::vector<BYTE> data = ReparseData(from);
    if (data.empty() || !CreateFolderAt(to)) {
        return false;
    }
    if (SetReparseData(to, data)) {
        return true;
    }
    ::RemoveDirectoryW(ExtendedPath(to).c_str());
    return false;
}

bool DeleteFileAt(const std::wstring& path) {
    return !Fail(FaultCall::FileDelete) && ::DeleteFileW(ExtendedPath(path).c_str()) != FALSE;
}

bool CreateFolderAt(const std::wstring& path) {
    return !Fail(FaultCall::FolderCreate) &&
           ::CreateDirectoryW(ExtendedPath(path).c_str(), nullptr) != FALSE;
}

bool RemoveEmptyFolder(const std::wstring& path) {
    return !Fail(FaultCall::FolderRemove) &&
           ::RemoveDirectoryW(ExtendedPath(path).c_str()) != FALSE;
}

bool MoveFileTo(const std::wstring& from, const std::wstring& to) {
    return !Fail(FaultCall::FileMove) &&
           ::MoveFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(), 0) != FALSE;
}

bool MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
    return !Fail(FaultCall::FileMove) &&
           ::MoveFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING) != FALSE;
}

std::wstring NameOnDisk(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    FindHandle find(::FindFirstFileW(ExtendedPath(path).c_str(), &found));
    return find ? std::wstring(found.cFileName) : std::wstring();
}

std::wstring TemporaryNameIn(const std::wstring& folder, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const unsigned long seed = (::GetTickCount() ^ (::GetCurrentProcessId() << 16)) + counter++;
    wchar_t name[32];
    wsprintfW(name, L"~tvx%08lx.tmp", seed + attempt);
    return folder + name;
}

std::wstring UnusedNameIn(const std::wstring& folder) {
    for (unsigned attempt = 0; attempt < 10000; ++attempt) {
        const std::wstring candidate = TemporaryNameIn(folder, attempt);
        if (FileAttributes(candidate) == INVALID_FILE_ATTRIBUTES) {
            return candidate;
        }
    }
    return std::wstring();
}

namespace {

bool Rename(const std::wstring& from, const std::wstring& to) {
    return ::MoveFileW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str()) != FALSE;
}

} // namespace

bool MovePath(const std::wstring& from, const std::wstring& to) {
    if (Fail(FaultCall::FileMove) || !Rename(from, to)) {
        return false;
    }
    if (!EqualIgnoringCase(from, to)) {
        return true;
    }
    const std::wstring wanted = BareName(to);
    const std::wstring onDisk = NameOnDisk(to);
    if (onDisk.empty() || onDisk == wanted) {
        return true;
    }
    // Wine reports success for a rename that only changes letter case and keeps the old
    // name; a detour through a temporary name does the rename.
    const std::wstring temporary = UnusedNameIn(FolderPart(to));
    if (temporary.empty() || !Rename(from, temporary)) {
        return false;
    }
    if (!Rename(temporary, to)) {
        Rename(temporary, from);
        return false;
    }
    return true;
}

namespace {

std::optional<BY_HANDLE_FILE_INFORMATION> InformationOf(const std::wstring& path) {
    if (Fail(FaultCall::FileOpen)) {
        return std::nullopt;
    }
    FileHandle object(::CreateFileW(ExtendedPath(path).c_str(), 0, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!object || !::GetFileInformationByHandle(object.Get(), &information)) {
        return std::nullopt;
    }
    return information;
}

} // namespace

Identity CompareObjects(const std::wstring& first, const std::wstring& second) {
    const auto one = InformationOf(first);
    const auto other = InformationOf(second);
    if (!one || !other) {
        return Identity::Unknown;
    }
    const bool same = one->dwVolumeSerialNumber == other->dwVolumeSerialNumber &&
                      one->nFileIndexHigh == other->nFileIndexHigh &&
                      one->nFileIndexLow == other->nFileIndexLow;
    return same ? Identity::Same : Identity::Different;
}

FindHandle FindFirstEntry(const std::wstring& pattern, WIN32_FIND_DATAW& entry) {
    if (Fail(FaultCall::FolderList)) {
        return FindHandle();
    }
    return FindHandle(::FindFirstFileW(ExtendedPath(pattern).c_str(), &entry));
}

bool FindNextEntry(const FindHandle& find, WIN32_FIND_DATAW& entry) {
    return !Fail(FaultCall::FolderList) && ::FindNextFileW(find.Get(), &entry) != FALSE;
}

namespace {

std::wstring LongNameOf(const std::wstring& path) {
    const std::wstring extended = ExtendedPath(path);
    return WithoutPrefix(SizedText([&](wchar_t* buffer, DWORD size) {
        return ::GetLongPathNameW(extended.c_str(), buffer, size);
    }));
}

// Long names for the longest leading part of `full` that exists; the rest as given.
std::wstring LongSpelling(const std::wstring& full) {
    std::wstring existing = full;
    std::wstring rest;
    while (!existing.empty()) {
        std::wstring spelled = LongNameOf(existing);
        if (!spelled.empty()) {
            if (!rest.empty() && spelled.back() != L'\\') {
                spelled += L'\\';
            }
            return spelled + rest;
        }
        const std::wstring::size_type cut = existing.find_last_of(L'\\');
        if (cut == std::wstring::npos || cut + 1 == existing.size()) {
            break;
        }
        rest = existing.substr(cut + 1) + (rest.empty() ? L"" : L"\\" + rest);
        existing.erase(cut == 0 || existing[cut - 1] == L':' ? cut + 1 : cut);
    }
    return full;
}

} // namespace

std::wstring ComparablePath(const std::wstring& path) {
    std::wstring full = FullPathName(path);
    if (full.size() > 1 && full.back() == L'\\' && full[full.size() - 2] != L':') {
        full.pop_back();
    }
    return full.empty() ? std::wstring() : LowerCase(LongSpelling(full));
}

} // namespace tarvix
