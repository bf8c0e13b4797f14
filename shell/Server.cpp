#include "Server.h"

#include <atomic>

namespace tarvix {
namespace {

std::atomic<int> g_busy{0};

} // namespace

int BusyCounter() {
    return g_busy.load();
}
void RaiseBusy() {
    ++g_busy;
}
void LowerBusy() {
    --g_busy;
}

} // namespace tarvix
