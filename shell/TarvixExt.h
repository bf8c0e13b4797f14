// The extension object the shell creates for each context menu.
#pragma once
#include "platform/Win.h"

#include <string>

namespace tarvix {

// {FEA484FA-8B1F-4F0D-B3EF-D1CFFEA6EA77}
extern const CLSID CLSID_TarvixExt;
extern const char kClsidString[];
// The key under HKEY_CLASSES_ROOT whose default value registration sets to the DLL's path.
std::string InprocServerKey();

class TTarvixExt final : public IShellExtInit, public IContextMenu, public ISupportErrorInfo {
  public:
    TTarvixExt();
    ~TTarvixExt();
    TTarvixExt(const TTarvixExt&) = delete;
    TTarvixExt& operator=(const TTarvixExt&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IShellExtInit
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE pidlFolder, IDataObject* lpdobj,
                            HKEY hkeyProgID) override;

    // IContextMenu
    STDMETHODIMP QueryContextMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                  UINT uFlags) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* lpici) override;
    STDMETHODIMP GetCommandString(UINT_PTR idCmd, UINT uType, UINT* pReserved, CHAR* pszName,
                                  UINT cchMax) override;

    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;

  private:
    volatile LONG references_ = 0;
};

} // namespace tarvix
