#include "PathTerms.h"

namespace tarvix {
namespace {

constexpr std::wstring_view::size_type kNone = std::wstring_view::npos;

std::wstring_view::size_type LastSeparator(std::wstring_view path) {
    return path.find_last_of(L"\\:");
}

} // namespace

std::wstring FolderPart(std::wstring_view path) {
    const auto separator = LastSeparator(path);
    return separator == kNone ? std::wstring() : std::wstring(path.substr(0, separator + 1));
}

std::wstring BareName(std::wstring_view path) {
    const auto separator = LastSeparator(path);
    return std::wstring(separator == kNone ? path : path.substr(separator + 1));
}

std::wstring Extension(std::wstring_view path) {
    const auto last = path.find_last_of(L".\\:");
    if (last == kNone || path[last] != L'.') {
        return std::wstring();
    }
    return std::wstring(path.substr(last));
}

std::wstring NamePart(std::wstring_view path) {
    return std::wstring(path.substr(0, path.size() - Extension(path).size()));
}

std::wstring ObjectFolder(std::wstring_view path) {
    std::wstring folder = FolderPart(path);
    const auto size = folder.size();
    if (size > 0 && folder[size - 1] == L'\\') {
        const bool keepSlash = size >= 2 && (folder[size - 2] == L':' || folder[size - 2] == L'\\');
        if (!keepSlash) {
            folder.pop_back();
        }
    }
    return folder;
}

} // namespace tarvix
