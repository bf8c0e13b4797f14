// Paths beyond MAX_PATH: the wide file functions take up to 32,767 characters when the path
// carries the \\?\ prefix (\\?\UNC\ for a network path). Only the platform layer adds it, at
// the call; the paths the modules hold, and the texts the user reads, never show it.
#pragma once
#include <string>

namespace tarvix {

// `path` as the file functions are to get it: unchanged when it is short, else full and with
// the prefix.
std::wstring ExtendedPath(const std::wstring& path);

// `path` made full (no "..", no "/", no relative part); empty when the platform cannot.
std::wstring FullPathName(const std::wstring& path);

} // namespace tarvix
