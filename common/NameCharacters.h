// The rules for the names a user gives: the characters no name of a file or folder may hold,
// because the platform reads them as something else (a folder separator, a drive or stream,
// quotes and redirections), and the names the platform takes for devices or cuts short. Every
// rule that refuses a typed or pasted name uses these. No platform calls.
#pragma once
#include <string_view>

namespace tarvix {

constexpr std::wstring_view kNotInAName = L"\\/:\"<>|";

bool HoldsCharacterNotInAName(std::wstring_view text);

// CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0-COM9 and LPT0-LPT9 (also with the digits ¹ ² ³),
// in any letter case, alone or before an extension, with spaces before the dot: a path ending
// in such a name opens the device, not a file, so a copy "to" it writes nothing.
bool IsReservedDeviceName(std::wstring_view name);

// The platform drops a final dot or space from a name wherever it cleans up a path, so such a
// name would be one other programs cannot open.
bool EndsInDotOrSpace(std::wstring_view name);

// A new bare name is allowed when it is neither of the above.
bool IsAllowedNewName(std::wstring_view name);

} // namespace tarvix
