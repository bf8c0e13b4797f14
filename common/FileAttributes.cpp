#include "FileAttributes.h"

namespace tarvix {

std::uint32_t FolderAttributesToCopy(std::uint32_t source) {
    return source & (kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeArchive |
                     kAttributeNotContentIndexed);
}

std::optional<std::uint32_t> AttributesBeforeRemoval(std::uint32_t attributes) {
    if (!(attributes & kAttributeReadOnly)) {
        return std::nullopt;
    }
    const std::uint32_t kept = attributes & ~(kAttributeReadOnly | kAttributeDirectory);
    return kept == 0 ? kAttributeNormal : kept;
}

} // namespace tarvix
