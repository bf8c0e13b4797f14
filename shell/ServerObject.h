// The COM identity of the server's simple objects: one reference count for all their
// interfaces, which the server's object count follows (DllCanUnloadNow), and QueryInterface
// for IUnknown and the listed interfaces. The object starts with no reference.
#pragma once
#include "ComServer.h"
#include "platform/Win.h"

namespace tarvix {

template <class First, class... Others> class ServerObject : public First, public Others... {
  public:
    ServerObject() { ComServer::Instance().ObjectCreated(); }
    virtual ~ServerObject() { ComServer::Instance().ObjectDestroyed(); }
    ServerObject(const ServerObject&) = delete;
    ServerObject& operator=(const ServerObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) {
            return E_POINTER;
        }
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(First))) {
            *ppv = static_cast<First*>(this);
        } else {
            ((IsEqualIID(riid, __uuidof(Others)) ? (*ppv = static_cast<Others*>(this)) : nullptr),
             ...);
        }
        if (*ppv == nullptr) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override {
        return static_cast<ULONG>(::InterlockedIncrement(&references_));
    }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

  private:
    volatile LONG references_ = 0;
};

} // namespace tarvix
