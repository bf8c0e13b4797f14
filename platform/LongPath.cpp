#include "LongPath.h"

#include "SizedText.h"

namespace tarvix {
namespace {

// CreateDirectory allows no more than MAX_PATH - 12 characters without the prefix, room for
// an 8.3 name below the folder.
constexpr std::size_t kPlainLimit = MAX_PATH - 12;

bool HasPrefix(const std::wstring& path) {
    return path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0;
}

} // namespace

std::wstring FullPathName(const std::wstring& path) {
    return SizedText([&](wchar_t* buffer, DWORD size) {
        return ::GetFullPathNameW(path.c_str(), size, buffer, nullptr);
    });
}

std::wstring ExtendedPath(const std::wstring& path) {
    if (path.size() < kPlainLimit || HasPrefix(path)) {
        return path;
    }
    // The prefix turns off the platform's own clean-up of a path, so the path is made full
    // first.
    std::wstring full = FullPathName(path);
    if (full.empty()) {
        full = path;
    }
    if (full.rfind(L"\\\\", 0) == 0) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

} // namespace tarvix
