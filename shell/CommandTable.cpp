#include "CommandTable.h"

#include "commands/CaseStyle.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

constexpr MenuPlace kShell = MenuPlace::ShellMenu;
constexpr MenuPlace kSub = MenuPlace::Submenu;

// The texts of a command stand in the string table at its index.
constexpr CommandRow Command(CommandId id, GUID canonicalName, MenuPlace place,
                             void (*run)(const Paths&)) {
    return {id, canonicalName, IDS_MENU_FIRST + IndexOf(id), IDS_HELP_FIRST + IndexOf(id), place,
            run};
}

// Entries of one place stand in the menu in the order of their rows.
constexpr std::array<CommandRow, kCommandCount> kCommands = {
    Command(CommandId::CopyAs,
            {0xD96516B1, 0xF605, 0x4A63, {0xA5, 0x9C, 0x4C, 0xBC, 0xEA, 0x26, 0xCB, 0x95}}, kShell,
            [](const Paths& selection) { RunCopyMoveAsCommand(selection, false); }),
    Command(CommandId::MoveAs,
            {0x19CA97D6, 0xF79A, 0x4026, {0x9D, 0x12, 0x07, 0x9E, 0x0B, 0x78, 0x0D, 0x1B}}, kShell,
            [](const Paths& selection) { RunCopyMoveAsCommand(selection, true); }),
    Command(CommandId::RenameSeries,
            {0xFD26D0E3, 0x7DD4, 0x4CBB, {0x86, 0x6B, 0xDC, 0x1D, 0xB1, 0x34, 0xCB, 0x31}}, kSub,
            RunRenameSeriesCommand),
    Command(CommandId::ChangeTimeStamp,
            {0xDA141E39, 0xB7B5, 0x4AC7, {0xBE, 0x88, 0x8E, 0x61, 0xB0, 0x88, 0xD8, 0x30}}, kSub,
            RunTimeStampCommand),
    Command(CommandId::AllLower,
            {0xDAADB4FC, 0xC003, 0x48E3, {0xAC, 0x03, 0xCD, 0x97, 0xFD, 0x5E, 0x61, 0xC5}}, kSub,
            [](const Paths& selection) { ChangeCase(selection, kAllLower); }),
    Command(CommandId::FirstCapital,
            {0x6855BF34, 0x4BFE, 0x472C, {0xB2, 0x83, 0x9C, 0x52, 0x08, 0xA2, 0x95, 0xE3}}, kSub,
            [](const Paths& selection) { ChangeCase(selection, kFirstCapital); }),
    Command(CommandId::WordCapitals,
            {0xD52B8D1B, 0xE010, 0x4EE6, {0xB9, 0xE4, 0x9D, 0xE9, 0xA9, 0x26, 0xC0, 0xCA}}, kSub,
            [](const Paths& selection) { ChangeCase(selection, kWordCapitals); }),
    Command(CommandId::AllUpper,
            {0xEDEBBA88, 0x9A96, 0x4AD6, {0xA8, 0xB3, 0x67, 0x2D, 0x58, 0x77, 0xAD, 0x18}}, kSub,
            [](const Paths& selection) { ChangeCase(selection, kAllUpper); }),
    Command(CommandId::FullNamesToClipboard,
            {0xCC3FBEF8, 0xA01E, 0x4BAC, {0xA6, 0x28, 0xE7, 0xC1, 0x17, 0xB6, 0xC6, 0x85}}, kSub,
            [](const Paths& selection) { NamesToClipboard(selection, false); }),
    Command(CommandId::NamesOnlyToClipboard,
            {0xAC5E65DA, 0x5DFA, 0x4410, {0xAA, 0xCA, 0xCE, 0x0A, 0xEB, 0x98, 0x9F, 0xDD}}, kSub,
            [](const Paths& selection) { NamesToClipboard(selection, true); }),
    Command(CommandId::CommandPrompt,
            {0xB4F0D5A6, 0xA509, 0x48D1, {0xAE, 0x22, 0xEE, 0xC9, 0xB6, 0x4E, 0x84, 0x6B}}, kSub,
            OpenCommandPrompt),
    Command(CommandId::Help,
            {0x7B34C6AB, 0x3D3A, 0x4546, {0xB2, 0x83, 0x5D, 0x51, 0x73, 0xEF, 0xFE, 0xB4}}, kSub,
            [](const Paths&) { OpenHelp(); }),
};

constexpr bool RowsInIndexOrder() {
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        if (IndexOf(kCommands[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(RowsInIndexOrder());

} // namespace

const std::array<CommandRow, kCommandCount>& Commands() {
    return kCommands;
}

const CommandRow* CommandAt(std::size_t index) {
    return index < kCommands.size() ? &kCommands[index] : nullptr;
}

} // namespace tarvix
