#include "Registry.h"

#include "Faults.h"
#include "Handles.h"

#include <vector>

namespace tarvix {

bool SetStringValue(HKEY key, const std::wstring& valueName, const std::wstring& data) {
    if (key == nullptr || FaultNow(FaultCall::RegistrySetValue)) {
        return false;
    }
    const auto* bytes = reinterpret_cast<const BYTE*>(data.c_str());
    return ::RegSetValueExW(key, valueName.empty() ? nullptr : valueName.c_str(), 0, REG_SZ, bytes,
                            static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

HKEY OpenOrCreateKey(HKEY root, const std::wstring& key, REGSAM view) {
    if (FaultNow(FaultCall::RegistryCreateKey)) {
        return nullptr;
    }
    HKEY opened = nullptr;
    DWORD disposition = 0;
    const LONG status = ::RegCreateKeyExW(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          KEY_ALL_ACCESS | view, nullptr, &opened, &disposition);
    return status == ERROR_SUCCESS ? opened : nullptr;
}

RegKey OpenExistingKey(HKEY root, const std::wstring& key, REGSAM view) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_ALL_ACCESS | view, &opened) != ERROR_SUCCESS) {
        return RegKey();
    }
    return RegKey(opened);
}

std::wstring MachineClassKey(const std::wstring& key) {
    return L"Software\\Classes\\" + key;
}

bool CreateRegKey(const std::wstring& key, const std::wstring& valueName,
                  const std::wstring& data) {
    RegKey opened;
    DWORD disposition = 0;
    const bool created =
        !FaultNow(FaultCall::RegistryCreateKey) &&
        ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, MachineClassKey(key).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, opened.Receive(),
                          &disposition) == ERROR_SUCCESS;
    return created && SetStringValue(opened.Get(), valueName, data);
}

void DeleteRegKey(const std::wstring& key) {
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, MachineClassKey(key).c_str());
}

bool ReadDefaultValue(HKEY root, const std::wstring& key, std::wstring& value, REGSAM view) {
    RegKey opened;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, opened.Receive()) != ERROR_SUCCESS) {
        return false;
    }
    value.clear();
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(opened.Get(), nullptr, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) {
        return true;
    }
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(opened.Get(), nullptr, nullptr, &type,
                           reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS) {
        value.assign(buffer.data());
    }
    return true;
}

} // namespace tarvix
