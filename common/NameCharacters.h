// The characters no name of a file or folder may hold, because the platform reads them as
// something else: a folder separator, a drive or stream, quotes and redirections. Every rule
// that refuses a typed or pasted name uses this one set. No platform calls.
#pragma once
#include <string_view>

namespace tarvix {

constexpr std::wstring_view kNotInAName = L"\\/:\"<>|";

bool HoldsCharacterNotInAName(std::wstring_view text);

} // namespace tarvix
