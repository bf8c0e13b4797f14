// Paths for the wide file functions. Every absolute path gets the \\?\ prefix (\\?\UNC\ for a
// network path): it lets a path run to 32,767 characters, and it turns off the platform's
// clean-up of the path, which would drop a final dot or space from a name and so name another
// object ("draft." would become its sibling "draft") or a device ("nul.txt"). Only the platform
// layer adds it, at the call; the paths the modules hold, and the texts the user reads, never
// show it.
#pragma once
#include <string>

namespace tarvix {

// `path` as the file functions are to get it: full and with the prefix.
std::wstring ExtendedPath(const std::wstring& path);

// `path` made full (no "..", no "/", no relative part), every name as given; a relative path is
// completed by the platform. Empty when the platform cannot.
std::wstring FullPath(const std::wstring& path);

} // namespace tarvix
