// The server's simple objects (the first menu's commands and their enumerator): COM identity
// as platform/ComObject gives it, and the server's object count (DllCanUnloadNow) following
// each object's life. The object starts with no reference.
#pragma once
#include "ComServer.h"
#include "platform/ComObject.h"

namespace tarvix {

template <class First, class... Others> class ServerObject : public ComObject<First, Others...> {
  public:
    ServerObject() : ComObject<First, Others...>(0) { ComServer::Instance().ObjectCreated(); }
    ~ServerObject() override { ComServer::Instance().ObjectDestroyed(); }
};

} // namespace tarvix
