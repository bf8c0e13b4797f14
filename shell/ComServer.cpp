#include "ComServer.h"

namespace tarvix {

ComServer& ComServer::Instance() {
    static ComServer server;
    return server;
}

} // namespace tarvix
