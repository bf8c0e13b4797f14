// The shell's own data object for objects of one folder, made as Explorer makes the one it
// hands to a context-menu handler. Shared by the shell host and the tests.
#pragma once
#include "platform/Win.h"

#include <string>
#include <vector>

namespace tarvix::tools {

// The data object for the objects (Windows paths, all in the folder of the first one), with
// one reference, or null when the folder cannot be found. Names the folder does not know are
// left out; they are added to `missing` when it is given.
IDataObject* ShellDataObject(const std::vector<std::wstring>& paths,
                             std::vector<std::wstring>* missing = nullptr);

} // namespace tarvix::tools
