#include "Server.h"

namespace tarvix {
namespace {

int g_busy = 0;

struct Selection {
    std::vector<std::string> list;
    PackedNames pending;
    bool hasPending = false;
};

Selection& TheSelection() {
    static Selection selection;
    return selection;
}

} // namespace

std::vector<std::string>& SelectionList() {
    Selection& selection = TheSelection();
    if (selection.hasPending) {
        selection.list = selection.pending.ToVector();
        selection.pending = PackedNames();
        selection.hasPending = false;
    }
    return selection.list;
}

void ReplaceSelection(PackedNames names) {
    Selection& selection = TheSelection();
    selection.pending = std::move(names);
    selection.hasPending = true;
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
