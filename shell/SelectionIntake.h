// Reading the shell's selection out of its data object.
#pragma once
#include "platform/Win.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvix {

// Asks the data object for its drop list (CF_HDROP in global memory). When it answers S_OK,
// `selection` is replaced by the full paths it names; otherwise `selection` is left as it was.
// Returns the data object's answer, or an error for a malformed drop list.
HRESULT ReadSelection(IDataObject* data, std::vector<std::string>& selection);

// The names of a drop list in global memory, each read whole, in list order; nothing for a
// malformed block.
std::optional<std::vector<std::string>> DropListNames(HGLOBAL drop);

} // namespace tarvix
