#include "Files.h"

#include "CaseConversion.h"
#include "Faults.h"
#include "LongPath.h"
#include "common/PathTerms.h"

#include <atomic>

namespace tarvix {
namespace {

bool EqualIgnoringCase(std::wstring_view left, std::wstring_view right) {
    return left.size() == right.size() && LowerCase(left) == LowerCase(right);
}

bool Rename(const std::wstring& from, const std::wstring& to) {
    return ::MoveFileW(ExtendedPath(from).c_str(), ExtendedPath(to).c_str()) != FALSE;
}

} // namespace

DWORD FileAttributes(const std::wstring& path) {
    return ::GetFileAttributesW(ExtendedPath(path).c_str());
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

bool MovePath(const std::wstring& from, const std::wstring& to) {
    if (FaultNow(FaultCall::FileMove)) {
        ::SetLastError(FaultError(FaultCall::FileMove));
        return false;
    }
    if (!Rename(from, to)) {
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

} // namespace tarvix
