// Path terms on ANSI path strings, positions counted in single bytes. No platform calls.
#pragma once
#include <string>
#include <string_view>

namespace tarvix {

// The path up to and including its last '\' or ':'; empty if it has neither.
std::string FolderPart(std::string_view path);
// What follows the last '\' or ':' (the whole string if it has neither).
std::string BareName(std::string_view path);
// From the last '.' to the end when that '.' follows the last '\' and ':'; otherwise empty.
std::string Extension(std::string_view path);
// The string without its extension.
std::string NamePart(std::string_view path);
// The folder that holds an object: its folder part without the final '\', except that the '\'
// stays after a ':' or a '\' (C:\Work\a.txt gives C:\Work, C:\a.txt gives C:\).
std::string ObjectFolder(std::string_view path);

} // namespace tarvix
