#include "NameConflict.h"

#include "common/NameCharacters.h"

#include <unordered_map>
#include <unordered_set>

namespace tarvix {

bool NamesConflict(const std::vector<std::wstring>& newNames,
                   const std::vector<std::wstring>& oldNames, CaseConversion lower) {
    // Lower-cased old name -> the last position that holds it.
    std::unordered_map<std::wstring, std::size_t> lastOldPosition;
    lastOldPosition.reserve(oldNames.size());
    for (std::size_t j = 0; j < oldNames.size(); ++j) {
        lastOldPosition[lower(oldNames[j])] = j;
    }
    std::unordered_set<std::wstring> seenNewNames;
    seenNewNames.reserve(newNames.size());
    for (std::size_t i = 0; i < newNames.size(); ++i) {
        std::wstring name = lower(newNames[i]);
        const auto old = lastOldPosition.find(name);
        if (old != lastOldPosition.end() && old->second > i) {
            return true;
        }
        if (!seenNewNames.insert(std::move(name)).second) {
            return true;
        }
    }
    return false;
}

std::optional<std::size_t> FirstNameNotAllowed(const std::vector<std::wstring>& newNames,
                                               const std::vector<std::wstring>& oldNames) {
    for (std::size_t i = 0; i < newNames.size(); ++i) {
        const bool ownName = i < oldNames.size() && newNames[i] == oldNames[i];
        if (!ownName && !IsAllowedNewName(newNames[i])) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace tarvix
