#include "Module.h"

namespace tarvix {
namespace {

HINSTANCE g_module = nullptr;
thread_local HWND t_owner = nullptr;

DWORD QueryPlatformFamily() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = ::GetVersionExW(&info);
#pragma GCC diagnostic pop
    return known ? info.dwPlatformId : 0;
}

// Read once, when the module's static data is initialised at load.
const DWORD g_loadedFamily = QueryPlatformFamily();
#ifdef TARVIX_TEST_SEAMS
std::optional<DWORD> g_familyOverride;
#endif

} // namespace

HINSTANCE ModuleHandle() {
    return g_module != nullptr ? g_module : ::GetModuleHandleW(nullptr);
}
void SetModuleHandle(HINSTANCE module) {
    g_module = module;
}

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(ModuleHandle(), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return std::wstring();
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // cut: the buffer was too short
    }
}

HWND OwnerWindow() {
    return t_owner;
}
void SetOwnerWindow(HWND owner) {
    t_owner = owner;
}

DWORD PlatformFamily() {
#ifdef TARVIX_TEST_SEAMS
    if (g_familyOverride) {
        return *g_familyOverride;
    }
#endif
    return g_loadedFamily;
}
bool IsNtFamily() {
    return PlatformFamily() == VER_PLATFORM_WIN32_NT;
}
#ifdef TARVIX_TEST_SEAMS
void OverridePlatformFamily(std::optional<DWORD> family) {
    g_familyOverride = family;
}
#endif

} // namespace tarvix
