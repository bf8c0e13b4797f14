// The in-process COM server: its object and factory counts, which DllCanUnloadNow reads.
#pragma once
#include "platform/Win.h"

namespace tarvix {

class ComServer {
  public:
    static ComServer& Instance();

    void ObjectCreated() { ::InterlockedIncrement(&objectCount_); }
    void ObjectDestroyed() { ::InterlockedDecrement(&objectCount_); }
    LONG FactoryAddRef() { return ::InterlockedIncrement(&factoryCount_); }
    LONG FactoryRelease() { return ::InterlockedDecrement(&factoryCount_); }
    bool CanUnload() const { return objectCount_ == 0 && factoryCount_ == 0; }

  private:
    volatile LONG objectCount_ = 0;
    volatile LONG factoryCount_ = 0;
};

} // namespace tarvix
