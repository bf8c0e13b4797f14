// Reading the shell's selection out of its data object.
#pragma once
#include "DropList.h"
#include "Selection.h"
#include "platform/Win.h"

#include <optional>

namespace tarvix {

// Asks the data object for its drop list (CF_HDROP in global memory). When it answers S_OK
// with a well-formed list, `selection` is replaced by the full paths it names. When it gives
// no such list, its shell ID list array (CFSTR_SHELLIDLIST) is read instead, where every
// object in it has a file system path. Otherwise the selection is left as it was. Returns the
// data object's answer for the drop list, or an error for a malformed one; S_OK when the ID
// list array stood in.
HRESULT ReadSelection(IDataObject* data, Selection& selection);

// The names of a drop list in global memory, each read whole, in list order; nothing for a
// malformed block.
std::optional<PackedNames> DropListNames(HGLOBAL drop);

} // namespace tarvix
