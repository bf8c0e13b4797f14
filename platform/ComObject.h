// The COM identity of a simple object: one reference count for all its interfaces, and
// QueryInterface for IUnknown (through the first interface) and each listed interface.
#pragma once
#include "Win.h"

namespace tarvix {

template <class First, class... Others> class ComObject : public First, public Others... {
  public:
    // The objects the server hands out start with no reference, the first question takes
    // one; an object its maker keeps starts with the maker's.
    explicit ComObject(LONG references = 1) : references_(references) {}
    virtual ~ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

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
    volatile LONG references_;
};

} // namespace tarvix
