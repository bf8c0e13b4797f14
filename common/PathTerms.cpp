#include "PathTerms.h"

namespace tarvix {
namespace {

constexpr std::string_view::size_type kNone = std::string_view::npos;

std::string_view::size_type LastSeparator(std::string_view path) {
    return path.find_last_of("\\:");
}

} // namespace

std::string FolderPart(std::string_view path) {
    const auto separator = LastSeparator(path);
    return separator == kNone ? std::string() : std::string(path.substr(0, separator + 1));
}

std::string BareName(std::string_view path) {
    const auto separator = LastSeparator(path);
    return std::string(separator == kNone ? path : path.substr(separator + 1));
}

std::string Extension(std::string_view path) {
    const auto last = path.find_last_of(".\\:");
    if (last == kNone || path[last] != '.') {
        return std::string();
    }
    return std::string(path.substr(last));
}

std::string NamePart(std::string_view path) {
    return std::string(path.substr(0, path.size() - Extension(path).size()));
}

std::string ObjectFolder(std::string_view path) {
    std::string folder = FolderPart(path);
    const auto size = folder.size();
    if (size > 0 && folder[size - 1] == '\\') {
        const bool keepSlash = size >= 2 && (folder[size - 2] == ':' || folder[size - 2] == '\\');
        if (!keepSlash) {
            folder.pop_back();
        }
    }
    return folder;
}

} // namespace tarvix
