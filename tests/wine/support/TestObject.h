// The COM identity of the tests' own small objects (data objects, items, sites, handlers): a
// reference count that starts at one, and QueryInterface for IUnknown and the listed
// interfaces.
#pragma once
#include "platform/Win.h"

#include <atomic>

namespace tarvix::test {

template <class First, class... Others> class TestObject : public First, public Others... {
  public:
    virtual ~TestObject() = default;
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
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

  private:
    std::atomic<ULONG> references_{1};
};

} // namespace tarvix::test
