#include "AbsolutePath.h"

#include <vector>

namespace tarvix {
namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// The names after the root, with "." and ".." resolved.
std::vector<std::wstring_view> Components(std::wstring_view rest) {
    std::vector<std::wstring_view> names;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = start;
        while (end < rest.size() && !IsSeparator(rest[end])) {
            ++end;
        }
        const std::wstring_view name = rest.substr(start, end - start);
        if (name == L"..") {
            if (!names.empty()) {
                names.pop_back();
            }
        } else if (!name.empty() && name != L".") {
            names.push_back(name);
        }
        start = end + 1;
    }
    return names;
}

// The root of a network path: "\\server\share", or nothing when it names no share.
std::optional<std::wstring> ShareRoot(std::wstring_view path, std::size_t& restStart) {
    std::size_t position = 2;
    std::wstring root = L"\\\\";
    for (int part = 0; part < 2; ++part) {
        const std::size_t start = position;
        while (position < path.size() && !IsSeparator(path[position])) {
            ++position;
        }
        if (position == start) {
            return std::nullopt;
        }
        root.append(path.substr(start, position - start));
        if (part == 0) {
            root += L'\\';
            while (position < path.size() && IsSeparator(path[position])) {
                ++position;
            }
        }
    }
    restStart = position;
    return root;
}

} // namespace

std::optional<std::wstring> CleanAbsolutePath(std::wstring_view path) {
    std::wstring root;
    std::size_t restStart = 0;
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2])) {
        root = std::wstring(path.substr(0, 2)) + L'\\';
        restStart = 3;
    } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        if (path.size() >= 3 && (path[2] == L'?' || path[2] == L'.')) {
            return std::nullopt; // \\?\ and \\.\ paths are the platform's own already
        }
        std::optional<std::wstring> share = ShareRoot(path, restStart);
        if (!share) {
            return std::nullopt;
        }
        root = std::move(*share);
    } else {
        return std::nullopt;
    }
    std::wstring clean = root;
    for (std::wstring_view name : Components(path.substr(restStart))) {
        if (clean.back() != L'\\') {
            clean += L'\\';
        }
        clean.append(name);
    }
    return clean;
}

} // namespace tarvix
