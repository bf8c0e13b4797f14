#include "MenuTable.h"

#include "strings/RSUnit.h"

namespace tarvix {
namespace {

constexpr std::uint32_t kDefaultOnly = 0x1;
constexpr std::uint32_t kVerbsOnly = 0x2;
constexpr std::uint32_t kExplore = 0x4;
constexpr std::uint32_t kNoVerbs = 0x8;

constexpr MenuCommand Row(unsigned index) {
    return MenuCommand{index, index < 2 ? MenuPlace::ShellMenu : MenuPlace::Submenu,
                       IDS_MENU_FIRST + index, IDS_HELP_FIRST + index};
}

constexpr MenuCommand kCommands[kCommandCount] = {Row(0), Row(1), Row(2), Row(3), Row(4),  Row(5),
                                                  Row(6), Row(7), Row(8), Row(9), Row(10), Row(11)};

} // namespace

const MenuCommand& CommandAt(unsigned index) {
    return kCommands[index < kCommandCount ? index : 0];
}

bool ShouldAddMenuBlock(std::uint32_t flags) {
    if ((flags & kExplore) != 0) {
        return true;
    }
    return (flags & (kDefaultOnly | kVerbsOnly | kNoVerbs)) == 0;
}

} // namespace tarvix
