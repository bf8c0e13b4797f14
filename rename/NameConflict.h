// The check OK makes before a series is renamed. No platform calls.
#pragma once
#include "common/CaseConversion.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvix {

// True when, ignoring letter case, new name i equals the old name of a later object j > i
// (renaming i would meet j still in place), or two new names are equal (the later object
// would replace the one renamed just before it). Linear in the number of objects.
bool NamesConflict(const std::vector<std::wstring>& newNames,
                   const std::vector<std::wstring>& oldNames, CaseConversion lower);

// The position of the first new name the platform would take for a device or cut short (see
// IsAllowedNewName); an object that keeps its own name is never refused for it.
std::optional<std::size_t> FirstNameNotAllowed(const std::vector<std::wstring>& newNames,
                                               const std::vector<std::wstring>& oldNames);

} // namespace tarvix
