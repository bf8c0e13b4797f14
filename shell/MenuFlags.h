// The rule that decides from the shell's menu flags whether the block is added. No platform
// calls.
#pragma once
#include <cstdint>

namespace tarvix {

// True when QueryContextMenu adds the block for these menu flags: no verb restriction
// among the low four bits, or the explore flag whatever else is set.
bool ShouldAddMenuBlock(std::uint32_t flags);

} // namespace tarvix
