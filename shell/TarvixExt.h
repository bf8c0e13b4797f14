// The extension object the shell creates for each context menu.
#pragma once
#include "Selection.h"
#include "platform/Win.h"

#include <string>

namespace tarvix {

// {FEA484FA-8B1F-4F0D-B3EF-D1CFFEA6EA77}
extern const CLSID CLSID_TarvixExt;

// Aggregatable as COM defines it: the object's own IUnknown (Inner) keeps its reference count
// and answers its interfaces; the IUnknown methods of the other interfaces go to the
// controlling unknown, which is the outer object when aggregated and Inner otherwise.
class TTarvixExt final : public IShellExtInit, public IContextMenu, public ISupportErrorInfo {
  public:
    explicit TTarvixExt(IUnknown* outer = nullptr);
    ~TTarvixExt();
    TTarvixExt(const TTarvixExt&) = delete;
    TTarvixExt& operator=(const TTarvixExt&) = delete;

    // The non-delegating IUnknown; the object starts with no reference on it.
    IUnknown* Inner() { return &inner_; }
    // What this object's Initialize selected.
    const std::vector<std::wstring>& SelectedPaths() { return selection_.Paths(); }

    // IUnknown, delegating
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
    class InnerUnknown final : public IUnknown {
      public:
        explicit InnerUnknown(TTarvixExt& object) : object_(object) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;

      private:
        TTarvixExt& object_;
        volatile LONG references_ = 0;
    };

    InnerUnknown inner_;
    IUnknown* controlling_;
    Selection selection_;
};

} // namespace tarvix
