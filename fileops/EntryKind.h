// What the folder routines do with an entry, decided from its attributes and, for a reparse
// point, its tag. No platform calls.
#pragma once
#include <cstdint>

namespace tarvix {

enum class EntryKind {
    File,
    Folder,
    // A name surrogate (a junction or a symbolic link): it names another place, so it is
    // copied as a link and removed as a link, never entered.
    FileLink,
    FolderLink,
};

// Other reparse points are ordinary files and folders: a cloud placeholder (OneDrive's files
// on demand) is entered, copied and removed like any folder.
EntryKind ClassifyEntry(std::uint32_t attributes, std::uint32_t reparseTag);

bool IsLink(EntryKind kind);
bool IsFolderKind(EntryKind kind);

} // namespace tarvix
