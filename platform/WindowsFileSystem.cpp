#include "WindowsFileSystem.h"

#include "CaseConversion.h"
#include "CopyProgress.h"
#include "ErrorMeaning.h"
#include "Faults.h"
#include "FileTimes.h"
#include "Files.h"
#include "Handles.h"
#include "LongPath.h"
#include "SizedText.h"

#include <cstring>
#include <vector>

#include <winioctl.h>

namespace tarvix {
namespace {

// REPLACEFILE_IGNORE_ACL_ERRORS, which the headers of older systems lack.
constexpr DWORD kReplaceIgnoreAclErrors = 0x4;
// FileIdInfo of FILE_INFO_BY_HANDLE_CLASS (Windows 8 and later).
constexpr int kFileIdInfo = 18;
struct FileIdInformation {
    ULONGLONG volumeSerialNumber;
    BYTE fileId[16];
};

// The result of the call that just failed, or of the failure a test planned for it.
FsResult LastResult() {
    return MeaningOf(::GetLastError());
}

bool Planned(FaultCall call) {
    if (FaultNow(call)) {
        ::SetLastError(FaultError(call));
        return true;
    }
    return false;
}

FsResult Outcome(BOOL succeeded) {
    return succeeded ? FsResult::Done : LastResult();
}

std::uint64_t SizeOf(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

std::uint64_t TimeOf(const FILETIME& time) {
    return SizeOf(time.dwHighDateTime, time.dwLowDateTime);
}

ObjectFacts FactsOf(const WIN32_FIND_DATAW& entry) {
    const bool reparse = (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    return ObjectFacts{entry.dwFileAttributes, SizeOf(entry.nFileSizeHigh, entry.nFileSizeLow),
                       TimeOf(entry.ftCreationTime), reparse ? entry.dwReserved0 : 0};
}

bool IsSelfOrParent(const wchar_t* name) {
    return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

class WindowsListing final : public FolderListing {
  public:
    WindowsListing(FindHandle find, const WIN32_FIND_DATAW& first)
        : find_(std::move(find)), pending_(first), hasPending_(find_.Valid()),
          complete_(!find_.Valid()) {}

    bool Next(FolderEntry& entry) override {
        for (;;) {
            if (!hasPending_ && !Advance()) {
                return false;
            }
            hasPending_ = false;
            // Listings hold "." and ".." first except in a drive's root, so they are told by
            // name.
            if (!IsSelfOrParent(pending_.cFileName)) {
                entry.name = pending_.cFileName;
                entry.facts = FactsOf(pending_);
                return true;
            }
        }
    }
    bool Complete() const override { return complete_; }

  private:
    bool Advance() {
        if (!find_.Valid() || complete_) {
            return false;
        }
        if (!Planned(FaultCall::FolderList) && ::FindNextFileW(find_.Get(), &pending_)) {
            return true;
        }
        complete_ = ::GetLastError() == ERROR_NO_MORE_FILES;
        find_.Reset();
        return false;
    }

    FindHandle find_;
    WIN32_FIND_DATAW pending_;
    bool hasPending_;
    bool complete_;
};

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

std::wstring WithoutPrefix(std::wstring path) {
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        return L"\\\\" + path.substr(8);
    }
    if (path.rfind(L"\\\\?\\", 0) == 0) {
        return path.substr(4);
    }
    return path;
}

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

std::optional<ObjectFacts> WindowsFileSystem::Facts(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(ExtendedPath(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    ObjectFacts facts{data.dwFileAttributes, SizeOf(data.nFileSizeHigh, data.nFileSizeLow),
                      TimeOf(data.ftCreationTime), 0};
    if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        WIN32_FIND_DATAW found;
        FindHandle find(::FindFirstFileW(ExtendedPath(path).c_str(), &found));
        facts.reparseTag = find ? found.dwReserved0 : 0;
    }
    return facts;
}

FsResult WindowsFileSystem::CopyFileTo(const std::wstring& from, const std::wstring& to,
                                       const CopyTick& tick) {
    if (Planned(FaultCall::FileCopy)) {
        return LastResult();
    }
    CopyProgressRelay relay(tick);
    return Outcome(::CopyFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(),
                                 tick ? CopyProgressRelay::Routine : nullptr, &relay, nullptr,
                                 COPY_FILE_FAIL_IF_EXISTS));
}

FsResult WindowsFileSystem::CopyLink(const std::wstring& from, const std::wstring& to,
                                     bool folder) {
    if (!folder) {
        if (Planned(FaultCall::FileCopy)) {
            return LastResult();
        }
        return Outcome(::CopyFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(), nullptr,
                                     nullptr, nullptr,
                                     COPY_FILE_COPY_SYMLINK | COPY_FILE_FAIL_IF_EXISTS));
    }
    std::vector<BYTE> data = ReparseData(from);
    if (data.empty()) {
        return FsResult::NotSupported;
    }
    const FsResult created = CreateFolder(to);
    if (created != FsResult::Done) {
        return created;
    }
    if (SetReparseData(to, data)) {
        return FsResult::Done;
    }
    const FsResult result = LastResult();
    ::RemoveDirectoryW(ExtendedPath(to).c_str());
    return result == FsResult::Done ? FsResult::Failed : result;
}

FsResult WindowsFileSystem::RemoveFile(const std::wstring& path) {
    if (Planned(FaultCall::FileDelete)) {
        return LastResult();
    }
    return Outcome(::DeleteFileW(ExtendedPath(path).c_str()));
}

FsResult WindowsFileSystem::CreateFolder(const std::wstring& path) {
    if (Planned(FaultCall::FolderCreate)) {
        return LastResult();
    }
    return Outcome(::CreateDirectoryW(ExtendedPath(path).c_str(), nullptr));
}

FsResult WindowsFileSystem::RemoveEmptyFolder(const std::wstring& path) {
    if (Planned(FaultCall::FolderRemove)) {
        return LastResult();
    }
    return Outcome(::RemoveDirectoryW(ExtendedPath(path).c_str()));
}

FsResult WindowsFileSystem::SetAttributes(const std::wstring& path, std::uint32_t attributes) {
    return Outcome(::SetFileAttributesW(ExtendedPath(path).c_str(), attributes));
}

FsResult WindowsFileSystem::SetCreationTime(const std::wstring& path, std::uint64_t created) {
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(created);
    time.dwHighDateTime = static_cast<DWORD>(created >> 32);
    return tarvix::SetCreationTime(path, time) ? FsResult::Done : FsResult::Failed;
}

FsResult WindowsFileSystem::Move(const std::wstring& from, const std::wstring& to, bool replace) {
    if (Planned(FaultCall::FileMove)) {
        return LastResult();
    }
    // Without MOVEFILE_COPY_ALLOWED: a move that would have to copy fails, and the engine copies
    // with its own checks instead.
    return Outcome(::MoveFileExW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str(),
                                 replace ? MOVEFILE_REPLACE_EXISTING : 0));
}

FsResult WindowsFileSystem::Replace(const std::wstring& replacement, const std::wstring& replaced) {
    const std::wstring target = ExtendedPath(replaced);
    const std::wstring source = ExtendedPath(replacement);
    if (!Planned(FaultCall::FileReplace) &&
        ::ReplaceFileW(target.c_str(), source.c_str(), nullptr,
                       REPLACEFILE_IGNORE_MERGE_ERRORS | kReplaceIgnoreAclErrors, nullptr,
                       nullptr)) {
        return FsResult::Done;
    }
    const DWORD error = ::GetLastError();
    if (NextStepAfterReplace(error) == AfterReplaceFailure::Report) {
        return MeaningOf(error);
    }
    return Move(replacement, replaced, true);
}

std::unique_ptr<FolderListing> WindowsFileSystem::List(const std::wstring& folder) {
    WIN32_FIND_DATAW first{};
    if (Planned(FaultCall::FolderList)) {
        return nullptr;
    }
    FindHandle find(::FindFirstFileW(ExtendedPath(folder + L"\\*.*").c_str(), &first));
    // Only a drive's empty root lists nothing at all; any other failure lists nothing.
    if (!find && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
        return nullptr;
    }
    return std::make_unique<WindowsListing>(std::move(find), first);
}

std::optional<ObjectId> WindowsFileSystem::IdOf(const std::wstring& path) {
    if (Planned(FaultCall::FileOpen)) {
        return std::nullopt;
    }
    // No access to the data and full sharing: a file open elsewhere is judged as well.
    FileHandle object(::CreateFileW(ExtendedPath(path).c_str(), 0, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!object) {
        return std::nullopt;
    }
    ObjectId id;
    FileIdInformation wide{};
    if (::GetFileInformationByHandleEx(object.Get(),
                                       static_cast<FILE_INFO_BY_HANDLE_CLASS>(kFileIdInfo), &wide,
                                       sizeof(wide))) {
        id.volume = wide.volumeSerialNumber;
        std::memcpy(id.file.data(), wide.fileId, id.file.size());
        return id;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (!::GetFileInformationByHandle(object.Get(), &information)) {
        return std::nullopt;
    }
    id.volume = information.dwVolumeSerialNumber;
    const std::uint64_t index = SizeOf(information.nFileIndexHigh, information.nFileIndexLow);
    std::memcpy(id.file.data(), &index, sizeof(index));
    return id;
}

bool WindowsFileSystem::SameName(const std::wstring& first, const std::wstring& second) {
    // The volume's own matching: upper-casing by its table, code unit by code unit.
    return first.size() == second.size() &&
           ::CompareStringOrdinal(first.data(), static_cast<int>(first.size()), second.data(),
                                  static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}

std::wstring WindowsFileSystem::ComparablePath(const std::wstring& path) {
    std::wstring full = FullPath(path);
    if (full.size() > 1 && full.back() == L'\\' && full[full.size() - 2] != L':') {
        full.pop_back();
    }
    return full.empty() ? std::wstring() : LowerCase(LongSpelling(full));
}

std::wstring WindowsFileSystem::TemporaryName(const std::wstring& folder, unsigned attempt) {
    return TemporaryNameIn(folder, attempt);
}

void WindowsFileSystem::PauseBeforeRetry(unsigned long milliseconds) {
    ::Sleep(milliseconds);
}

} // namespace tarvix
