// Registry entries of the extension.
#pragma once
#include "Handles.h"
#include "Win.h"

#include <string>

namespace tarvix {

// `key` among the machine's classes: below HKEY_LOCAL_MACHINE, never through
// HKEY_CLASSES_ROOT, which writes into the user's classes (HKCU\Software\Classes) wherever the
// user has the key, so that an elevated setup would register for that user alone.
std::wstring MachineClassKey(const std::wstring& key);

// Creates (or opens) `key` among the machine's classes and sets one string value (an empty
// name sets the default value); false when either fails.
bool CreateRegKey(const std::wstring& key, const std::wstring& valueName, const std::wstring& data);
// Removes `key` (without subkeys) among the machine's classes; a missing key is not an error.
void DeleteRegKey(const std::wstring& key);

// Opens `key` under `root` with full access, creating it if missing. `view` may name the 32-
// or 64-bit registry view (KEY_WOW64_32KEY, KEY_WOW64_64KEY); 0 is the caller's own.
HKEY OpenOrCreateKey(HKEY root, const std::wstring& key, REGSAM view = 0);
// Opens an existing `key` with full access; an empty owner when it is missing.
RegKey OpenExistingKey(HKEY root, const std::wstring& key, REGSAM view = 0);
bool SetStringValue(HKEY key, const std::wstring& valueName, const std::wstring& data);

// Reads the default value of an existing key; false when the key does not open.
// An absent value reads as the empty string.
bool ReadDefaultValue(HKEY root, const std::wstring& key, std::wstring& value, REGSAM view = 0);

} // namespace tarvix
