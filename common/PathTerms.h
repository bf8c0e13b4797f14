// Path terms on path strings in UTF-16, positions counted in code units. The separators
// '\', ':' and '.' are never part of a surrogate pair, so no term splits one. No platform calls.
#pragma once
#include <string>
#include <string_view>

namespace tarvix {

// The path up to and including its last '\' or ':'; empty if it has neither.
std::wstring FolderPart(std::wstring_view path);
// What follows the last '\' or ':' (the whole string if it has neither).
std::wstring BareName(std::wstring_view path);
// From the last '.' to the end when that '.' follows the last '\' and ':'; otherwise empty.
std::wstring Extension(std::wstring_view path);
// The string without its extension.
std::wstring NamePart(std::wstring_view path);
// The folder that holds an object: its folder part without the final '\', except that the '\'
// stays after a ':' or a '\' (C:\Work\a.txt gives C:\Work, C:\a.txt gives C:\).
std::wstring ObjectFolder(std::wstring_view path);

} // namespace tarvix
