// What a rename series starts from: the selection's common folder, its bare names and the
// default template. No platform calls.
#pragma once
#include "common/CaseConversion.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvix {

struct SeriesStart {
    std::wstring folder;          // up to and including the last '\' or ':', lower-cased
    std::wstring spelledFolder;   // the same, as the first object spells it
    std::wstring defaultTemplate; // the name of the first object's folder followed by "?"
    std::vector<std::wstring> oldNames;
};

// Nothing when the paths do not all lie in the folder of the first one (compared ignoring
// letter case) or when there are none.
std::optional<SeriesStart> StartSeries(const std::vector<std::wstring>& paths,
                                       CaseConversion lower);

} // namespace tarvix
