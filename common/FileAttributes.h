// File attributes as the platform numbers them, and the decisions the engine takes on them.
// No platform calls.
#pragma once
#include <cstdint>
#include <optional>

namespace tarvix {

constexpr std::uint32_t kAttributeReadOnly = 0x1;
constexpr std::uint32_t kAttributeHidden = 0x2;
constexpr std::uint32_t kAttributeSystem = 0x4;
constexpr std::uint32_t kAttributeDirectory = 0x10;
constexpr std::uint32_t kAttributeArchive = 0x20;
constexpr std::uint32_t kAttributeNormal = 0x80;
constexpr std::uint32_t kAttributeReparsePoint = 0x400;
constexpr std::uint32_t kAttributeNotContentIndexed = 0x2000;

// What a copied folder takes of its source's attributes: read-only, hidden, system, archive and
// not-content-indexed. Never the bits the file system keeps for itself (compression, cloud pin
// and recall states, reparse points), which would pin or free a whole copied tree.
std::uint32_t FolderAttributesToCopy(std::uint32_t source);

// A folder marked read-only (Explorer marks customised folders so) cannot be removed: the
// attributes it must get first, or nothing when it can be removed as it is.
std::optional<std::uint32_t> AttributesBeforeRemoval(std::uint32_t attributes);

} // namespace tarvix
