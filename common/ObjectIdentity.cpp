#include "ObjectIdentity.h"

namespace tarvix {
namespace {

bool IsZero(const ObjectId& id) {
    for (std::uint8_t byte : id.file) {
        if (byte != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

Identity CompareIds(const std::optional<ObjectId>& first, const std::optional<ObjectId>& second) {
    if (!first || !second || IsZero(*first) || IsZero(*second)) {
        return Identity::Unknown;
    }
    const bool same = first->volume == second->volume && first->file == second->file;
    return same ? Identity::Same : Identity::Different;
}

} // namespace tarvix
