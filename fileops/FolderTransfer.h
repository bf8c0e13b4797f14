// The engine's recursive folder routines and its safe replacement of an existing file.
#pragma once
#include <string>

namespace tarvix {

// Copies the folder `source` as the new folder `dest`, with its attributes and everything in
// it. True on success; what was made before a failure stays.
bool CopyFolder(const std::string& source, const std::string& dest);

// Removes the folder `path` with everything in it. A link to a folder (a junction or symbolic
// link) is removed itself, never entered, so its target stays untouched. True when `path`
// itself was removed.
bool RemoveFolder(const std::string& path);

// Copies the file `source` over the existing file `dest`. The new content is written under a
// temporary name beside `dest` and only then put in its place, so a failed copy leaves `dest`
// as it was.
bool ReplaceWithCopy(const std::string& source, const std::string& dest);

// True when copying the folder `source` to `dest` would put it inside itself, compared by
// whole components of canonical spellings (aliases such as short names included).
bool CopiesIntoItself(const std::string& source, const std::string& dest);

} // namespace tarvix
