#include "EntryKind.h"

#include "common/FileAttributes.h"

namespace tarvix {
namespace {

constexpr std::uint32_t kNameSurrogateBit = 0x20000000; // IsReparseTagNameSurrogate

} // namespace

EntryKind ClassifyEntry(std::uint32_t attributes, std::uint32_t reparseTag) {
    const bool folder = (attributes & kAttributeDirectory) != 0;
    const bool link =
        (attributes & kAttributeReparsePoint) != 0 && (reparseTag & kNameSurrogateBit) != 0;
    if (link) {
        return folder ? EntryKind::FolderLink : EntryKind::FileLink;
    }
    return folder ? EntryKind::Folder : EntryKind::File;
}

bool IsLink(EntryKind kind) {
    return kind == EntryKind::FileLink || kind == EntryKind::FolderLink;
}

bool IsFolderKind(EntryKind kind) {
    return kind == EntryKind::Folder || kind == EntryKind::FolderLink;
}

} // namespace tarvix
