#include "TarvixExt.h"

#include "ComServer.h"
#include "ContextMenu.h"
#include "Dispatch.h"
#include "SelectionIntake.h"
#include "Server.h"
#include "platform/ComGuard.h"

namespace tarvix {

const CLSID CLSID_TarvixExt = {
    0xFEA484FA, 0x8B1F, 0x4F0D, {0xB3, 0xEF, 0xD1, 0xCF, 0xFE, 0xA6, 0xEA, 0x77}};

TTarvixExt::TTarvixExt(IUnknown* outer)
    : inner_(*this), controlling_(outer != nullptr ? outer : &inner_) {
    ComServer::Instance().ObjectCreated();
}
TTarvixExt::~TTarvixExt() {
    ComServer::Instance().ObjectDestroyed();
}

STDMETHODIMP TTarvixExt::InnerUnknown::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown)) {
        *ppv = static_cast<IUnknown*>(this);
    } else if (IsEqualIID(riid, IID_IShellExtInit)) {
        *ppv = static_cast<IShellExtInit*>(&object_);
    } else if (IsEqualIID(riid, IID_IContextMenu)) {
        *ppv = static_cast<IContextMenu*>(&object_);
    } else if (IsEqualIID(riid, IID_ISupportErrorInfo)) {
        *ppv = static_cast<ISupportErrorInfo*>(&object_);
    } else {
        return E_NOINTERFACE;
    }
    // Through the interface handed out: an aggregate's outer object counts it.
    static_cast<IUnknown*>(*ppv)->AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TTarvixExt::InnerUnknown::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) TTarvixExt::InnerUnknown::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) {
        delete &object_;
    }
    return static_cast<ULONG>(left);
}

STDMETHODIMP TTarvixExt::QueryInterface(REFIID riid, void** ppv) {
    return controlling_->QueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) TTarvixExt::AddRef() {
    return controlling_->AddRef();
}

STDMETHODIMP_(ULONG) TTarvixExt::Release() {
    return controlling_->Release();
}

STDMETHODIMP TTarvixExt::Initialize(PCIDLIST_ABSOLUTE, IDataObject* lpdobj, HKEY) {
    return GuardedHresult(E_UNEXPECTED, [&] {
        if (BusyCounter() > 0 || lpdobj == nullptr) {
            return E_INVALIDARG;
        }
        return ReadSelection(lpdobj, selection_);
    });
}

STDMETHODIMP TTarvixExt::QueryContextMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT,
                                          UINT uFlags) {
    return GuardedHresult(E_UNEXPECTED,
                          [&] { return AddMenuBlock(hmenu, indexMenu, idCmdFirst, uFlags); });
}

STDMETHODIMP TTarvixExt::InvokeCommand(CMINVOKECOMMANDINFO* lpici) {
    return GuardedHresult(E_UNEXPECTED, [&] { return DispatchCommand(lpici, selection_); });
}

STDMETHODIMP TTarvixExt::GetCommandString(UINT_PTR idCmd, UINT uType, UINT*, CHAR* pszName,
                                          UINT cchMax) {
    return GuardedHresult(E_UNEXPECTED,
                          [&] { return CopyHelpText(idCmd, uType, pszName, cchMax); });
}

STDMETHODIMP TTarvixExt::InterfaceSupportsErrorInfo(REFIID riid) {
    const bool implemented =
        IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IShellExtInit) ||
        IsEqualIID(riid, IID_IContextMenu) || IsEqualIID(riid, IID_ISupportErrorInfo);
    return implemented ? S_OK : S_FALSE;
}

} // namespace tarvix
