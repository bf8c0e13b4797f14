// The menu block and its help texts.
#pragma once
#include "platform/Win.h"

namespace tarvix {

// Inserts the block at indexMenu and returns 12 as a success code, or 0 when the flags
// ask for no block.
HRESULT AddMenuBlock(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT flags);

// Copies the help text of a command, ANSI (GCS_HELPTEXTA) or wide (GCS_HELPTEXTW), into the
// caller's buffer, never past cchMax characters: a text that does not fit is shortened, its
// terminating zero kept. Other requests are answered S_OK with nothing written.
HRESULT CopyHelpText(UINT_PTR index, UINT type, CHAR* buffer, UINT cchMax);

} // namespace tarvix
