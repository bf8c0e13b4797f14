// The extension's class as the registry names it. No platform calls.
#pragma once
#include <string>

namespace tarvix {

// {FEA484FA-8B1F-4F0D-B3EF-D1CFFEA6EA77} in registry form.
constexpr char kClsidString[] = "{FEA484FA-8B1F-4F0D-B3EF-D1CFFEA6EA77}";

// The class's key under HKEY_CLASSES_ROOT, and its subkey whose default value registration
// sets to the DLL's path.
inline std::string ClassKey() {
    return std::string("CLSID\\") + kClsidString;
}
inline std::string InprocServerKey() {
    return ClassKey() + "\\InprocServer32";
}

} // namespace tarvix
