// The names of a drop list (a DROPFILES block), read in one pass with every bound checked.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvix {

// Converts one wide name (UTF-16 code units, no terminator) to the ANSI code page.
using WideToAnsi = std::function<std::string(const char16_t* name, std::size_t length)>;

// The names in list order, or nothing when the block is malformed: shorter than its header,
// its name offset outside it, or a name or the list's final terminator not inside it.
std::optional<std::vector<std::string>> ParseDropList(const unsigned char* block, std::size_t size,
                                                      const WideToAnsi& toAnsi);

} // namespace tarvix
