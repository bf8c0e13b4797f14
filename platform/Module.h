// Process-wide facts the modules share: the module that holds the resources, the owner window
// of every window the extension opens, and the platform family.
#pragma once
#include "Win.h"

#include <optional>
#include <string>

namespace tarvix {

// The module whose resources (strings, dialogs) are used: the DLL, or a test program.
HINSTANCE ModuleHandle();
void SetModuleHandle(HINSTANCE module);
// That module's full path, however long.
std::wstring ModulePath();

// Owner of every dialog, progress window and message box. Kept per thread: each folder window
// of the shell runs on a thread of its own, and a command's windows belong to the window it
// was chosen in.
HWND OwnerWindow();
void SetOwnerWindow(HWND owner);

// dwPlatformId as GetVersionExW reported it when the module was loaded (2 = NT family).
DWORD PlatformFamily();
bool IsNtFamily();
#ifdef TARVIX_TEST_SEAMS
// Test seam: pretend another family; nothing restores the real one.
void OverridePlatformFamily(std::optional<DWORD> family);
#endif

} // namespace tarvix
