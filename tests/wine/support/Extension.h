// The built Tarvix.dll, loaded as the shell loads it: through its exports and class factory.
#pragma once
#include "platform/Win.h"

#include <shobjidl.h>

#include <string>
#include <vector>

namespace tarvix::test {

class ExtensionDll {
  public:
    ExtensionDll(); // loads Tarvix.dll from the test program's folder
    // Tarvix.dll from the test program's folder, loaded once more; the caller frees it.
    static HMODULE Load();
    ~ExtensionDll();
    ExtensionDll(const ExtensionDll&) = delete;
    ExtensionDll& operator=(const ExtensionDll&) = delete;

    HMODULE Module() const { return module_; }
    HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const;
    HRESULT CanUnloadNow() const;
    // A new extension object (IContextMenu), or null.
    IContextMenu* NewMenu() const;
    // A new root command of the first menu, or null.
    IExplorerCommand* NewFirstMenu() const;

  private:
    HMODULE module_ = nullptr;
};

// A fresh extension object whose selection is `paths` (hand-built wide drop list). Asserts
// nothing; returns null when anything failed.
IContextMenu* SelectWith(const ExtensionDll& dll, const std::vector<std::wstring>& paths);
// InvokeCommand by index with `owner` as the shell window.
HRESULT Invoke(IContextMenu* menu, unsigned index, HWND owner = nullptr);
// Invoke on a fresh extension object whose selection is `paths`; when no object could be made
// the test fails and the answer is E_UNEXPECTED.
HRESULT SelectAndInvoke(const ExtensionDll& dll, const std::vector<std::wstring>& paths,
                        unsigned index, HWND owner = nullptr);

// The classic command `index` from the first menu of a fresh root, on the shell's items for
// `paths` (objects of one folder), with `owner` as the site's window.
HRESULT ChooseInFirstMenu(const ExtensionDll& dll, const std::vector<std::wstring>& paths,
                          unsigned index, HWND owner = nullptr);

extern const CLSID kTarvixClsid;
extern const CLSID kTarvixCommandClsid;

} // namespace tarvix::test
