#include "Files.h"

#include "CaseConversion.h"
#include "Faults.h"
#include "Handles.h"
#include "common/PathTerms.h"

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

bool SetFileAttributesOf(const std::string& path, DWORD attributes) {
    return ::SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

bool CopyFileTo(const std::string& from, const std::string& to, bool failIfExists) {
    return !Fail(FaultCall::FileCopy) &&
           ::CopyFileA(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
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

bool MoveFileReplacing(const std::string& from, const std::string& to) {
    return !Fail(FaultCall::FileMove) &&
           ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

std::string NameOnDisk(const std::string& path) {
    WIN32_FIND_DATAA found;
    FindHandle find(::FindFirstFileA(path.c_str(), &found));
    return find ? std::string(found.cFileName) : std::string();
}

std::string UnusedNameIn(const std::string& folder) {
    const DWORD seed = ::GetTickCount() ^ ::GetCurrentProcessId();
    for (DWORD attempt = 0; attempt < 10000; ++attempt) {
        char name[32];
        wsprintfA(name, "~tvx%08lx.tmp", static_cast<unsigned long>(seed + attempt));
        const std::string candidate = folder + name;
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

FileHandle OpenExclusiveForReading(const std::string& path) {
    if (Fail(FaultCall::FileOpen)) {
        return FileHandle();
    }
    return FileHandle(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
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
