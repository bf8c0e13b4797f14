#include "Extension.h"

#include "DropData.h"

#include <gtest/gtest.h>

namespace tarvix::test {

const CLSID kTarvixClsid = {
    0xFEA484FA, 0x8B1F, 0x4F0D, {0xB3, 0xEF, 0xD1, 0xCF, 0xFE, 0xA6, 0xEA, 0x77}};

HMODULE ExtensionDll::Load() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dll(path);
    dll = dll.substr(0, dll.find_last_of('\\') + 1) + "Tarvix.dll";
    return ::LoadLibraryA(dll.c_str());
}

ExtensionDll::ExtensionDll() : module_(Load()) {}

ExtensionDll::~ExtensionDll() {
    // Kept loaded: COM may still hold objects of it until the process ends.
}

HRESULT ExtensionDll::GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const {
    using Entry = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto entry = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(::GetProcAddress(module_, "DllGetClassObject")));
    return entry != nullptr ? entry(clsid, riid, ppv) : E_FAIL;
}

HRESULT ExtensionDll::CanUnloadNow() const {
    using Entry = HRESULT(WINAPI*)();
    auto entry = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(::GetProcAddress(module_, "DllCanUnloadNow")));
    return entry != nullptr ? entry() : E_FAIL;
}

IContextMenu* ExtensionDll::NewMenu() const {
    IClassFactory* factory = nullptr;
    if (FAILED(
            GetClassObject(kTarvixClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
        return nullptr;
    }
    IContextMenu* menu = nullptr;
    factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu));
    factory->Release();
    return menu;
}

IContextMenu* SelectWith(const ExtensionDll& dll, const std::vector<std::wstring>& paths) {
    IContextMenu* menu = dll.NewMenu();
    if (menu == nullptr) {
        return nullptr;
    }
    IShellExtInit* init = nullptr;
    IDataObject* data = NewDropDataObject(paths);
    HRESULT result = menu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init));
    if (SUCCEEDED(result)) {
        result = init->Initialize(nullptr, data, nullptr);
        init->Release();
    }
    data->Release();
    if (FAILED(result)) {
        menu->Release();
        return nullptr;
    }
    return menu;
}

HRESULT Invoke(IContextMenu* menu, unsigned index, HWND owner) {
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    info.hwnd = owner;
    info.lpVerb = MAKEINTRESOURCEA(index);
    info.nShow = SW_SHOWNORMAL;
    return menu->InvokeCommand(&info);
}

HRESULT SelectAndInvoke(const ExtensionDll& dll, const std::vector<std::wstring>& paths,
                        unsigned index, HWND owner) {
    IContextMenu* menu = SelectWith(dll, paths);
    if (menu == nullptr) {
        ADD_FAILURE() << "no extension object for the selection";
        return E_UNEXPECTED;
    }
    const HRESULT result = Invoke(menu, index, owner);
    menu->Release();
    return result;
}

} // namespace tarvix::test
