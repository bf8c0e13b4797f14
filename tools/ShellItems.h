// The shell's item array for a selection, made as Explorer makes the one it hands to a command
// of the first menu. Shared by the shell host, the tests and the benchmarks.
#pragma once
#include "platform/Win.h"

#include <shobjidl.h>

#include <string>
#include <vector>

namespace tarvix::tools {

// The items for the objects (Windows paths, all in the folder of the first one), then the
// items of `extra` (absolute ID lists, such as This PC's), with one reference; null when the
// folder cannot be found. Names the folder does not know are left out; they are added to
// `missing` when it is given.
IShellItemArray* ShellItemArray(const std::vector<std::wstring>& paths,
                                std::vector<std::wstring>* missing = nullptr,
                                const std::vector<PCIDLIST_ABSOLUTE>& extra = {});

} // namespace tarvix::tools
