// The twelve commands, one row each: the classic menu, its help texts, the dispatcher and the
// leaves of the first menu all read this table, so a new command costs one row.
#pragma once
#include "commands/Commands.h"
#include "platform/Win.h"

#include <array>
#include <cstddef>

namespace tarvix {

// In the order of the classic menu's command indexes.
enum class CommandId : unsigned {
    CopyAs,
    MoveAs,
    RenameSeries,
    ChangeTimeStamp,
    AllLower,
    FirstCapital,
    WordCapitals,
    AllUpper,
    FullNamesToClipboard,
    NamesOnlyToClipboard,
    CommandPrompt,
    Help,
};

enum class MenuPlace { ShellMenu, Submenu };

struct CommandRow {
    CommandId id;
    // The command's canonical name in the first menu. Never change one: the shell may keep it.
    GUID canonicalName;
    unsigned menuTextId; // string table identifiers
    unsigned helpTextId;
    MenuPlace place;
    void (*run)(const Paths& selection);
};

constexpr unsigned kCommandCount = 12;

// The classic menu's command index: the offset of the entry's identifier from the first one
// the shell gave.
constexpr unsigned IndexOf(CommandId id) {
    return static_cast<unsigned>(id);
}

const std::array<CommandRow, kCommandCount>& Commands();
// The row of a command index, or null beyond the last command.
const CommandRow* CommandAt(std::size_t index);

} // namespace tarvix
