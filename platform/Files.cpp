#include "Files.h"

#include "Faults.h"
#include "Handles.h"
#include "PathTerms.h"

namespace tarvix {
namespace {

bool Fail(FaultCall call) {
    if (FaultNow(call)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return true;
    }
    return false;
}

bool EqualIgnoringCase(std::string left, std::string right) {
    if (left.size() != right.size()) {
        return false;
    }
    ::CharLowerBuffA(left.data(), static_cast<DWORD>(left.size()));
    ::CharLowerBuffA(right.data(), static_cast<DWORD>(right.size()));
    return left == right;
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

} // namespace tarvix
