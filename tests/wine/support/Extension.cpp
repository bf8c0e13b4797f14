#include "Extension.h"

#include "DropData.h"
#include "FirstMenu.h"
#include "tools/ShellItems.h"

#include <gtest/gtest.h>

namespace tarvix::test {

const CLSID kTarvixClsid = {
    0xFEA484FA, 0x8B1F, 0x4F0D, {0xB3, 0xEF, 0xD1, 0xCF, 0xFE, 0xA6, 0xEA, 0x77}};
const CLSID kTarvixCommandClsid = {
    0x53544206, 0x71C7, 0x4735, {0x8D, 0x8B, 0x31, 0x83, 0x76, 0xEA, 0xBE, 0xC6}};

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

namespace {

template <class Interface>
Interface* NewObject(const ExtensionDll& dll, REFCLSID clsid, REFIID iid) {
    IClassFactory* factory = nullptr;
    if (FAILED(dll.GetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
        return nullptr;
    }
    Interface* object = nullptr;
    factory->CreateInstance(nullptr, iid, reinterpret_cast<void**>(&object));
    factory->Release();
    return object;
}

} // namespace

IContextMenu* ExtensionDll::NewMenu() const {
    return NewObject<IContextMenu>(*this, kTarvixClsid, IID_IContextMenu);
}

IExplorerCommand* ExtensionDll::NewFirstMenu() const {
    return NewObject<IExplorerCommand>(*this, kTarvixCommandClsid, IID_IExplorerCommand);
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

HRESULT ChooseInFirstMenu(const ExtensionDll& dll, const std::vector<std::wstring>& paths,
                          unsigned index, HWND owner) {
    ComRef<IExplorerCommand> root(dll.NewFirstMenu());
    ComRef<IShellItemArray> items(tools::ShellItemArray(paths));
    if (!root || !items) {
        ADD_FAILURE() << "no first menu or no shell items for the selection";
        return E_UNEXPECTED;
    }
    return InvokeFromFirstMenu(root.Get(), index, items.Get(), owner);
}

} // namespace tarvix::test
