// The class factories of the server's two classes, the classic extension and the first menu's
// command, which the DLL exports find and register.
#pragma once
#include "platform/Win.h"

namespace tarvix {

class TTarvixExtFactory final : public IClassFactory {
  public:
    // A new object of the class with no reference on it yet (its IUnknown, the inner one when
    // aggregated by `outer`), or null when memory ran out.
    using Create = IUnknown* (*)(IUnknown* outer);

    TTarvixExtFactory(const CLSID& clsid, Create create, bool aggregatable)
        : clsid_(clsid), create_(create), aggregatable_(aggregatable) {}

    // IUnknown; AddRef and Release count references for DllCanUnloadNow only.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IClassFactory
    STDMETHODIMP CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL fLock) override;

    const CLSID& ClassId() const { return clsid_; }
    // Writes (true) or removes (false) the classic extension's registry entries; throws on a
    // failed write. The first menu's class is registered by the package that declares it.
    void UpdateRegistry(bool doRegister);

  private:
    const CLSID& clsid_;
    Create create_;
    bool aggregatable_;
};

// The factory for `clsid`, or null.
TTarvixExtFactory* FindFactory(REFCLSID clsid);
// Calls UpdateRegistry of the server's factory for the classic extension.
void UpdateServerRegistry(bool doRegister);

} // namespace tarvix
