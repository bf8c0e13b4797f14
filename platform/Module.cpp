#include "Module.h"

namespace tarvix {
namespace {

HINSTANCE g_module = nullptr;
HWND g_owner = nullptr;

DWORD QueryPlatformFamily() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = ::GetVersionExA(&info);
#pragma GCC diagnostic pop
    return known ? info.dwPlatformId : 0;
}

// Read once, when the module's static data is initialised at load.
const DWORD g_loadedFamily = QueryPlatformFamily();
std::optional<DWORD> g_familyOverride;

} // namespace

HINSTANCE ModuleHandle() {
    return g_module != nullptr ? g_module : ::GetModuleHandleA(nullptr);
}
void SetModuleHandle(HINSTANCE module) {
    g_module = module;
}

HWND OwnerWindow() {
    return g_owner;
}
void SetOwnerWindow(HWND owner) {
    g_owner = owner;
}

DWORD PlatformFamily() {
    return g_familyOverride.value_or(g_loadedFamily);
}
bool IsNtFamily() {
    return PlatformFamily() == VER_PLATFORM_WIN32_NT;
}
void OverridePlatformFamily(std::optional<DWORD> family) {
    g_familyOverride = family;
}

} // namespace tarvix
