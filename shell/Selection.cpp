#include "Selection.h"

namespace tarvix {

void Selection::Replace(PackedNames names) {
    pending_ = std::move(names);
    hasPending_ = true;
}

const std::vector<std::wstring>& Selection::Paths() {
    if (hasPending_) {
        paths_ = pending_.ToVector();
        pending_ = PackedNames();
        hasPending_ = false;
    }
    return paths_;
}

} // namespace tarvix
