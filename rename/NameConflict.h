// The check OK makes before a series is renamed. No platform calls.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace tarvix {

// Lower-cases a whole string in place; the platform passes its locale-aware CharLowerBuffA.
using Lowering = std::function<void(std::string&)>;

// True when, ignoring letter case, new name i equals the old name of a later object j > i
// (renaming i would meet j still in place), or two new names are equal (the later object
// would replace the one renamed just before it). Linear in the number of objects.
bool NamesConflict(const std::vector<std::string>& newNames,
                   const std::vector<std::string>& oldNames, const Lowering& lower);

} // namespace tarvix
