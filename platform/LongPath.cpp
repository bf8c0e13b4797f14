#include "LongPath.h"

#include "SizedText.h"
#include "common/AbsolutePath.h"

namespace tarvix {
namespace {

bool HasPrefix(const std::wstring& path) {
    return path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0;
}

// The platform's own completion of a path, which also drops final dots and spaces.
std::wstring FullPathName(const std::wstring& path) {
    return SizedText([&](wchar_t* buffer, DWORD size) {
        return ::GetFullPathNameW(path.c_str(), size, buffer, nullptr);
    });
}

} // namespace

std::wstring FullPath(const std::wstring& path) {
    if (std::optional<std::wstring> clean = CleanAbsolutePath(path)) {
        return std::move(*clean);
    }
    return FullPathName(path);
}

std::wstring ExtendedPath(const std::wstring& path) {
    if (path.empty() || HasPrefix(path)) {
        return path;
    }
    const std::wstring full = FullPath(path);
    if (full.rfind(L"\\\\", 0) == 0) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') {
        return L"\\\\?\\" + full;
    }
    return path; // nothing the prefix can stand before (a device, an empty completion)
}

} // namespace tarvix
