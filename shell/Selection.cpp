#include "Selection.h"

namespace tarvix {

void Selection::Replace(PackedNames names) {
    pending_ = std::move(names);
    hasPending_ = true;
    lengthened_ = false;
}

const std::vector<std::wstring>& Selection::Paths() {
    if (hasPending_) {
        paths_ = pending_.ToVector();
        pending_ = PackedNames();
        hasPending_ = false;
    }
    return paths_;
}

const std::vector<std::wstring>& Selection::PathsForCommand(const ShortNameLookup& lookup) {
    Paths();
    if (!lengthened_) {
        LengthenShortNames(paths_, lookup);
        lengthened_ = true;
    }
    return paths_;
}

} // namespace tarvix
