#include "CommandTable.h"

#include "commands/CaseStyle.h"
#include "strings/RSUnit.h"

#include <iterator>

namespace tarvix {
namespace {

constexpr MenuPlace kShell = MenuPlace::ShellMenu;
constexpr MenuPlace kSub = MenuPlace::Submenu;

// In index order; entries of one place stand in the menu in the order of their rows.
constexpr CommandRow kCommands[] = {
    {0, IDS_MENU_FIRST + 0, IDS_HELP_FIRST + 0, kShell,
     [](const Paths& selection) { RunCopyMoveAsCommand(selection, false); }},
    {1, IDS_MENU_FIRST + 1, IDS_HELP_FIRST + 1, kShell,
     [](const Paths& selection) { RunCopyMoveAsCommand(selection, true); }},
    {2, IDS_MENU_FIRST + 2, IDS_HELP_FIRST + 2, kSub, RunRenameSeriesCommand},
    {3, IDS_MENU_FIRST + 3, IDS_HELP_FIRST + 3, kSub, RunTimeStampCommand},
    {4, IDS_MENU_FIRST + 4, IDS_HELP_FIRST + 4, kSub,
     [](const Paths& selection) { ChangeCase(selection, kAllLower); }},
    {5, IDS_MENU_FIRST + 5, IDS_HELP_FIRST + 5, kSub,
     [](const Paths& selection) { ChangeCase(selection, kFirstCapital); }},
    {6, IDS_MENU_FIRST + 6, IDS_HELP_FIRST + 6, kSub,
     [](const Paths& selection) { ChangeCase(selection, kWordCapitals); }},
    {7, IDS_MENU_FIRST + 7, IDS_HELP_FIRST + 7, kSub,
     [](const Paths& selection) { ChangeCase(selection, kAllUpper); }},
    {8, IDS_MENU_FIRST + 8, IDS_HELP_FIRST + 8, kSub,
     [](const Paths& selection) { NamesToClipboard(selection, false); }},
    {9, IDS_MENU_FIRST + 9, IDS_HELP_FIRST + 9, kSub,
     [](const Paths& selection) { NamesToClipboard(selection, true); }},
    {10, IDS_MENU_FIRST + 10, IDS_HELP_FIRST + 10, kSub, OpenCommandPrompt},
    {11, IDS_MENU_FIRST + 11, IDS_HELP_FIRST + 11, kSub, [](const Paths&) { OpenHelp(); }},
};

constexpr bool RowsInIndexOrder() {
    for (std::size_t i = 0; i < std::size(kCommands); ++i) {
        if (kCommands[i].index != i) {
            return false;
        }
    }
    return true;
}
static_assert(std::size(kCommands) == kCommandCount && RowsInIndexOrder());

} // namespace

const CommandRow* CommandAt(std::size_t index) {
    return index < std::size(kCommands) ? &kCommands[index] : nullptr;
}

} // namespace tarvix
