// The first menu of Windows 11 (IExplorerCommand): the root command "Tarvix" with the DLL's
// icon, whose subcommands are the command table's rows, those of the shell menu first, then a
// separator, then those of the submenu.
#pragma once
#include "platform/Win.h"

namespace tarvix {

// {53544206-71C7-4735-8D8B-318376EABEC6}
extern const CLSID CLSID_TarvixCommand;
// The separator's canonical name.
extern const GUID kSeparatorCanonicalName;

// A new root command with no reference on it yet (its IUnknown), or null when memory ran out.
IUnknown* NewTarvixCommand();

} // namespace tarvix
