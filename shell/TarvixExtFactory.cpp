#include "TarvixExtFactory.h"

#include "ComServer.h"
#include "TarvixCommand.h"
#include "TarvixExt.h"
#include "platform/ComGuard.h"
#include "platform/Module.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"

#include <new>

namespace tarvix {
namespace {

IUnknown* NewTarvixExt(IUnknown* outer) {
    TTarvixExt* object = new (std::nothrow) TTarvixExt(outer);
    return object != nullptr ? object->Inner() : nullptr;
}

// The server's class factories; they live as long as the DLL.
TTarvixExtFactory& ClassicFactory() {
    static TTarvixExtFactory factory(CLSID_TarvixExt, NewTarvixExt, true);
    return factory;
}

TTarvixExtFactory& FirstMenuFactory() {
    static TTarvixExtFactory factory(
        CLSID_TarvixCommand, [](IUnknown*) { return NewTarvixCommand(); }, false);
    return factory;
}

void ShowCreationFailure(std::wstring message) {
    if (!message.empty() && static_cast<unsigned>(message.back()) > L'.') {
        message += L'.';
    }
    const std::wstring caption = LoadText(IDS_CAPTION_VAR_ERROR);
    ::MessageBoxW(nullptr, message.c_str(), caption.c_str(),
                  MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

} // namespace

STDMETHODIMP TTarvixExtFactory::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) {
        return E_NOINTERFACE;
    }
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TTarvixExtFactory::AddRef() {
    return static_cast<ULONG>(ComServer::Instance().FactoryAddRef());
}

STDMETHODIMP_(ULONG) TTarvixExtFactory::Release() {
    return static_cast<ULONG>(ComServer::Instance().FactoryRelease());
}

STDMETHODIMP TTarvixExtFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (pUnkOuter != nullptr && (!aggregatable_ || !IsEqualIID(riid, IID_IUnknown))) {
        return CLASS_E_NOAGGREGATION;
    }
    return GuardedHresult(E_UNEXPECTED, [&] {
        IUnknown* inner = create_(pUnkOuter);
        if (inner == nullptr) {
            ShowCreationFailure(LoadText(IDS_OUT_OF_MEMORY));
            return E_UNEXPECTED;
        }
        // The object starts with no reference: a refused interface leaves none, so the
        // reference taken here for the question is the one that destroys it then. An
        // aggregate's outer object gets the inner, non-delegating unknown.
        inner->AddRef();
        const HRESULT result = inner->QueryInterface(riid, ppv);
        inner->Release();
        return result;
    });
}

STDMETHODIMP TTarvixExtFactory::LockServer(BOOL fLock) {
    const HRESULT result = ::CoLockObjectExternal(this, fLock, TRUE);
    if (fLock) {
        ComServer::Instance().ObjectCreated();
    } else {
        ComServer::Instance().ObjectDestroyed();
    }
    return result;
}

TTarvixExtFactory* FindFactory(REFCLSID clsid) {
    for (TTarvixExtFactory* factory : {&ClassicFactory(), &FirstMenuFactory()}) {
        if (IsEqualCLSID(clsid, factory->ClassId())) {
            return factory;
        }
    }
    return nullptr;
}

void UpdateServerRegistry(bool doRegister) {
    ClassicFactory().UpdateRegistry(doRegister);
}

} // namespace tarvix
