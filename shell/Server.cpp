#include "Server.h"

namespace tarvix {
namespace {

int g_busy = 0;

} // namespace

std::vector<std::string>& SelectionList() {
    static std::vector<std::string> selection;
    return selection;
}

int BusyCounter() {
    return g_busy;
}
void RaiseBusy() {
    ++g_busy;
}
void LowerBusy() {
    --g_busy;
}

} // namespace tarvix
