#include "EntryKind.h"

namespace tarvix {
namespace {

constexpr std::uint32_t kDirectory = 0x10;              // FILE_ATTRIBUTE_DIRECTORY
constexpr std::uint32_t kReparsePoint = 0x400;          // FILE_ATTRIBUTE_REPARSE_POINT
constexpr std::uint32_t kNameSurrogateBit = 0x20000000; // IsReparseTagNameSurrogate

} // namespace

EntryKind ClassifyEntry(std::uint32_t attributes, std::uint32_t reparseTag) {
    const bool folder = (attributes & kDirectory) != 0;
    const bool link = (attributes & kReparsePoint) != 0 && (reparseTag & kNameSurrogateBit) != 0;
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
