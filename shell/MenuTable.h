// The twelve commands: where each sits in the menu, its texts, and the flag rule that decides
// whether the block is added. Pure data, read by the menu, the help texts and the dispatcher.
#pragma once
#include <cstdint>

namespace tarvix {

constexpr unsigned kCommandCount = 12;

enum class MenuPlace { ShellMenu, Submenu };

struct MenuCommand {
    unsigned index;      // offset from the first identifier the shell gave
    MenuPlace place;     // where the entry stands
    unsigned menuTextId; // string table identifiers
    unsigned helpTextId;
};

// Rows in command index order.
const MenuCommand& CommandAt(unsigned index);

// True when QueryContextMenu adds the block for these menu flags: no verb restriction
// among the low four bits, or the explore flag whatever else is set.
bool ShouldAddMenuBlock(std::uint32_t flags);

// The help text is served only for the ANSI help-text request (GCS_HELPTEXTA).
constexpr unsigned kHelpTextRequestA = 1;

} // namespace tarvix
