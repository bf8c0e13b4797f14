// The long names of paths that the shell handed over with 8.3 short names. For paths of
// MAX_PATH or more it puts short names into its drop list (QUAR~4LL.XLS), which a command
// would copy, show or rename as they are. No platform calls.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarvix {

// What the platform answers about the names in a folder (a path ending in '\').
struct ShortNameLookup {
    // The long name of the object `name` (its short or its long name) in `folder`, or nothing.
    std::function<std::optional<std::wstring>(const std::wstring& folder, const std::wstring& name)>
        longName;
    // One listing of the folder: the short name of each object that has one -> its long name.
    std::function<std::unordered_map<std::wstring, std::wstring>(const std::wstring& folder)>
        shortNamesIn;
};

// Lengthens every path that holds a '~', name by name from its root, as GetLongPathName does;
// no other path is looked at. Each name that holds a '~' is asked about once per folder. The
// first such name of a folder is asked about alone; a folder with more is listed once, since a
// search for a short name may read the whole folder each time. A name that no object has keeps
// its spelling.
void LengthenShortNames(std::vector<std::wstring>& paths, const ShortNameLookup& lookup);

} // namespace tarvix
