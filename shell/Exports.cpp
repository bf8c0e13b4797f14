// The four DLL exports and the DLL entry point.
#include "ComServer.h"
#include "TarvixExtFactory.h"
#include "platform/ComGuard.h"
#include "platform/Module.h"

#include <olectl.h>

using namespace tarvix;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetModuleHandle(instance);
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    return GuardedHresult(E_UNEXPECTED, [&] {
        TTarvixExtFactory* factory = FindFactory(rclsid);
        if (factory == nullptr) {
            return CLASS_E_CLASSNOTAVAILABLE;
        }
        return factory->QueryInterface(riid, ppv);
    });
}

STDAPI DllCanUnloadNow() {
    return ComServer::Instance().CanUnload() ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    return GuardedHresult(E_FAIL, [] {
        UpdateServerRegistry(true);
        return S_OK;
    });
}

STDAPI DllUnregisterServer() {
    return GuardedHresult(E_FAIL, [] {
        UpdateServerRegistry(false);
        return S_OK;
    });
}
