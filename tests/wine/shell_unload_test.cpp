// The shell unloads an idle extension and goes on raising and handling exceptions: the DLL
// must leave nothing of itself in the process that a later exception could reach. Its own
// program, because the DLL must not be loaded by anything else in the process.
#include "support/DropData.h"
#include "support/Extension.h"

#include <gtest/gtest.h>

#include <thread>

namespace tarvix::test {
namespace {

constexpr DWORD kHostException = 0xE0717601;
int g_hostHandled = 0;

LONG CALLBACK HostHandler(EXCEPTION_POINTERS* pointers) {
    if (pointers->ExceptionRecord->ExceptionCode != kHostException) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    ++g_hostHandled;
    return EXCEPTION_CONTINUE_EXECUTION;
}

// A folder window's thread: the menu is built, its help texts read, and the object released.
void UseOnAThreadThatEnds(HMODULE dll) {
    std::thread window([dll] {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        using Entry = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
        auto getClassObject = reinterpret_cast<Entry>(
            reinterpret_cast<void*>(::GetProcAddress(dll, "DllGetClassObject")));
        IClassFactory* factory = nullptr;
        ASSERT_EQ(
            getClassObject(kTarvixClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK);
        IShellExtInit* init = nullptr;
        ASSERT_EQ(
            factory->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&init)),
            S_OK);
        factory->Release();
        IDataObject* data = NewDropDataObject(std::vector<std::string>{"C:\\a.txt"});
        EXPECT_EQ(init->Initialize(nullptr, data, nullptr), S_OK);
        data->Release();
        IContextMenu* menu = nullptr;
        ASSERT_EQ(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
        HMENU popup = ::CreatePopupMenu();
        EXPECT_EQ(menu->QueryContextMenu(popup, 0, 1, 100, CMF_NORMAL), 12);
        char help[64] = {};
        EXPECT_EQ(menu->GetCommandString(0, GCS_HELPTEXTA, nullptr, help, sizeof(help)), S_OK);
        ::DestroyMenu(popup);
        menu->Release();
        init->Release();
        ::CoUninitialize();
    });
    window.join();
}

TEST(Unload, AnExceptionAfterTheDllIsGoneReachesTheHostsHandler) {
    ASSERT_EQ(::GetModuleHandleA("Tarvix.dll"), nullptr) << "loaded by someone else";
    HMODULE dll = ExtensionDll::Load();
    ASSERT_NE(dll, nullptr);
    UseOnAThreadThatEnds(dll);

    using CanUnload = HRESULT(WINAPI*)();
    auto canUnloadNow = reinterpret_cast<CanUnload>(
        reinterpret_cast<void*>(::GetProcAddress(dll, "DllCanUnloadNow")));
    ASSERT_EQ(canUnloadNow(), S_OK);
    ::FreeLibrary(dll);
    ASSERT_EQ(::GetModuleHandleA("Tarvix.dll"), nullptr) << "the DLL stayed loaded";

    PVOID handler = ::AddVectoredExceptionHandler(0, HostHandler);
    ::RaiseException(kHostException, 0, 0, nullptr);
    ::RemoveVectoredExceptionHandler(handler);
    EXPECT_EQ(g_hostHandled, 1);
}

} // namespace
} // namespace tarvix::test
