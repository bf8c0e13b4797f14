// The run after the time-stamp dialog: the chosen stamps written into every object.
#pragma once
#include "stamp/StampChoice.h"

#include <string>
#include <vector>

namespace tarvix {

class TFormProgress;

// Writes the entered local date and time, in UTC, as each checked stamp of every object in
// list order, files and folders alike, one stamp per call, showing the work in `progress`.
// Any object that fails (or a date that cannot be converted) gives one error box at the end.
void ApplyTimeStamps(const StampChoice& choice, const std::vector<std::wstring>& objects,
                     TFormProgress& progress);

} // namespace tarvix
