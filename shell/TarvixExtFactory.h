// The class factory of the extension, which the DLL exports find and register.
#pragma once
#include "platform/Win.h"

namespace tarvix {

class TTarvixExtFactory final : public IClassFactory {
  public:
    // IUnknown; AddRef and Release count references for DllCanUnloadNow only.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IClassFactory
    STDMETHODIMP CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL fLock) override;

    const CLSID& ClassId() const;
    // Writes (true) or removes (false) the registry entries; throws on a failed write.
    void UpdateRegistry(bool doRegister);
};

// The factory for `clsid`, or null.
TTarvixExtFactory* FindFactory(REFCLSID clsid);
// Calls UpdateRegistry of the server's factory.
void UpdateServerRegistry(bool doRegister);

} // namespace tarvix
