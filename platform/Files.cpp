#include "Files.h"

#include "CaseConversion.h"
#include "CopyProgress.h"
#include "Faults.h"
#include "Handles.h"
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

bool EqualIgnoringCase(std::string_view left, std::string_view right) {
    return left.size() == right.size() && LowerCase(left) == LowerCase(right);
}

} // namespace

DWORD FileAttributes(const std::string& path) {
    return ::GetFileAttributesA(path.c_str());
}

std::optional<FileFacts> FactsOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return FileFacts{data.dwFileAttributes,
                     (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                         data.nFileSizeLow,
                     data.ftCreationTime};
}

FileFacts FactsOf(const WIN32_FIND_DATAA& entry) {
    return FileFacts{entry.dwFileAttributes,
                     (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) |
                         entry.nFileSizeLow,
                     entry.ftCreationTime};
}

DWORD ReparseTagOf(const std::string& path) {
    WIN32_FIND_DATAA found;
    FindHandle find(::FindFirstFileA(path.c_str(), &found));
    return find && (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? found.dwReserved0 : 0;
}

bool SetFileAttributesOf(const std::string& path, DWORD attributes) {
    return ::SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

bool CopyFileTo(const std::string& from, const std::string& to, bool failIfExists,
                const CopyProgress& progress) {
    if (Fail(FaultCall::FileCopy)) {
        return false;
    }
    CopyProgressPacer pacer(progress);
    return ::CopyFileExA(from.c_str(), to.c_str(), progress ? CopyProgressPacer::Routine : nullptr,
                         &pacer, nullptr, failIfExists ? COPY_FILE_FAIL_IF_EXISTS : 0) != FALSE;
}

namespace {

// The reparse data of a link, as FSCTL_GET_REPARSE_POINT gives it.
std::vector<BYTE> ReparseData(const std::string& path) {
    FileHandle link(::CreateFileA(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
        nullptr));
    std::vector<BYTE> data(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD size = 0;
    if (!link || !::DeviceIoControl(link.Get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(),
                                    static_cast<DWORD>(data.size()), &size, nullptr)) {
        return {};
    }
    data.resize(size);
    return data;
}

bool SetReparseData(const std::string& path, std::vector<BYTE>& data) {
    FileHandle link(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                  nullptr));
    DWORD unused = 0;
    return link && ::DeviceIoControl(link.Get(), FSCTL_SET_REPARSE_POINT, data.data(),
                                     static_cast<DWORD>(data.size()), nullptr, 0, &unused, nullptr);
}

} // namespace

bool CopyLink(const std::string& from, const std::string& to, bool folder) {
    if (!folder) {
        return !Fail(FaultCall::FileCopy) &&
               ::CopyFileExA(from.c_str(), to.c_str(), nullptr, nullptr, nullptr,
                             COPY_FILE_COPY_SYMLINK | COPY_FILE_FAIL_IF_EXISTS) != FALSE;
    }
    std::vector<BYTE> data = ReparseData(from);
    if (data.empty() || !CreateFolderAt(to)) {
        return false;
    }
    if (SetReparseData(to, data)) {
        return true;
    }
    ::RemoveDirectoryA(to.c_str());
    return false;
}

bool DeleteFileAt(const std::string& path) {
    return !Fail(FaultCall::FileDelete) && ::DeleteFileA(path.c_str()) != FALSE;
}

bool CreateFolderAt(const std::string& path) {
    return !Fail(FaultCall::FolderCreate) && ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool RemoveEmptyFolder(const std::string& path) {
    return !Fail(FaultCall::FolderRemove) && ::RemoveDirectoryA(path.c_str()) != FALSE;
}

bool MoveFileTo(const std::string& from, const std::string& to) {
    return !Fail(FaultCall::FileMove) && ::MoveFileExA(from.c_str(), to.c_str(), 0) != FALSE;
}

bool MoveFileReplacing(const std::string& from, const std::string& to) {
    return !Fail(FaultCall::FileMove) &&
           ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

std::string NameOnDisk(const std::string& path) {
    WIN32_FIND_DATAA found;
    FindHandle find(::FindFirstFileA(path.c_str(), &found));
    return find ? std::string(found.cFileName) : std::string();
}

std::string TemporaryNameIn(const std::string& folder, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const unsigned long seed = (::GetTickCount() ^ (::GetCurrentProcessId() << 16)) + counter++;
    char name[32];
    wsprintfA(name, "~tvx%08lx.tmp", seed + attempt);
    return folder + name;
}

std::string UnusedNameIn(const std::string& folder) {
    for (unsigned attempt = 0; attempt < 10000; ++attempt) {
        const std::string candidate = TemporaryNameIn(folder, attempt);
        if (::GetFileAttributesA(candidate.c_str()) == INVALID_FILE_ATTRIBUTES) {
            return candidate;
        }
    }
    return std::string();
}

bool MovePath(const std::string& from, const std::string& to) {
    if (Fail(FaultCall::FileMove) || !::MoveFileA(from.c_str(), to.c_str())) {
        return false;
    }
    if (!EqualIgnoringCase(from, to)) {
        return true;
    }
    const std::string wanted = BareName(to);
    const std::string onDisk = NameOnDisk(to);
    if (onDisk.empty() || onDisk == wanted) {
        return true;
    }
    // Wine reports success for a rename that only changes letter case and keeps the old
    // name; a detour through a temporary name does the rename.
    const std::string temporary = UnusedNameIn(FolderPart(to));
    if (temporary.empty() || !::MoveFileA(from.c_str(), temporary.c_str())) {
        return false;
    }
    if (!::MoveFileA(temporary.c_str(), to.c_str())) {
        ::MoveFileA(temporary.c_str(), from.c_str());
        return false;
    }
    return true;
}

namespace {

std::optional<BY_HANDLE_FILE_INFORMATION> InformationOf(const std::string& path) {
    if (Fail(FaultCall::FileOpen)) {
        return std::nullopt;
    }
    FileHandle object(::CreateFileA(path.c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!object || !::GetFileInformationByHandle(object.Get(), &information)) {
        return std::nullopt;
    }
    return information;
}

} // namespace

Identity CompareObjects(const std::string& first, const std::string& second) {
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

FindHandle FindFirstEntry(const std::string& pattern, WIN32_FIND_DATAA& entry) {
    if (Fail(FaultCall::FolderList)) {
        return FindHandle();
    }
    return FindHandle(::FindFirstFileA(pattern.c_str(), &entry));
}

bool FindNextEntry(const FindHandle& find, WIN32_FIND_DATAA& entry) {
    return !Fail(FaultCall::FolderList) && ::FindNextFileA(find.Get(), &entry) != FALSE;
}

namespace {

std::string FullPath(const std::string& path) {
    char buffer[MAX_PATH * 4];
    const DWORD length = ::GetFullPathNameA(path.c_str(), sizeof(buffer), buffer, nullptr);
    return length > 0 && length < sizeof(buffer) ? std::string(buffer, length) : std::string();
}

// Long names for the longest leading part of `full` that exists; the rest as given.
std::string LongSpelling(const std::string& full) {
    std::string existing = full;
    std::string rest;
    while (!existing.empty()) {
        char buffer[MAX_PATH * 4];
        const DWORD length = ::GetLongPathNameA(existing.c_str(), buffer, sizeof(buffer));
        if (length > 0 && length < sizeof(buffer)) {
            std::string spelled(buffer, length);
            if (!rest.empty() && spelled.back() != '\\') {
                spelled += '\\';
            }
            return spelled + rest;
        }
        const std::string::size_type cut = existing.find_last_of('\\');
        if (cut == std::string::npos || cut + 1 == existing.size()) {
            break;
        }
        rest = existing.substr(cut + 1) + (rest.empty() ? "" : "\\" + rest);
        existing.erase(cut == 0 || existing[cut - 1] == ':' ? cut + 1 : cut);
    }
    return full;
}

} // namespace

std::string ComparablePath(const std::string& path) {
    std::string full = FullPath(path);
    if (full.size() > 1 && full.back() == '\\' && full[full.size() - 2] != ':') {
        full.pop_back();
    }
    return full.empty() ? std::string() : LowerCase(LongSpelling(full));
}

} // namespace tarvix
