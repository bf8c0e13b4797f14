// The extension's class as the registry names it. No platform calls.
#pragma once
#include <string>

namespace tarvix {

// {FEA484FA-8B1F-4F0D-B3EF-D1CFFEA6EA77} in registry form.
constexpr wchar_t kClsidString[] = L"{FEA484FA-8B1F-4F0D-B3EF-D1CFFEA6EA77}";

// The class's key among the classes (HKEY_CLASSES_ROOT), and its subkey whose default value
// registration sets to the DLL's path.
inline std::wstring ClassKey() {
    return std::wstring(L"CLSID\\") + kClsidString;
}
inline std::wstring InprocServerKey() {
    return ClassKey() + L"\\InprocServer32";
}

} // namespace tarvix
