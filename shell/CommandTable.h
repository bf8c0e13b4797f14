// The twelve commands, one row each: the menu, the help texts and the dispatcher all read this
// table, so a new command costs one row.
#pragma once
#include "commands/Commands.h"

#include <cstddef>

namespace tarvix {

enum class MenuPlace { ShellMenu, Submenu };

struct CommandRow {
    unsigned index;      // offset of the entry's identifier from the first one the shell gave
    unsigned menuTextId; // string table identifiers
    unsigned helpTextId;
    MenuPlace place;
    void (*run)(const Paths& selection);
};

constexpr unsigned kCommandCount = 12;

// The row of a command index, or null beyond the last command.
const CommandRow* CommandAt(std::size_t index);

} // namespace tarvix
