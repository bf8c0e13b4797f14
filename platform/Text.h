// Texts from the string table, loaded at the moment they are shown.
#pragma once
#include <initializer_list>
#include <string>

namespace tarvix {

std::string LoadText(unsigned id);
// The text with each "%s" replaced by the next argument, in order.
std::string FormatText(unsigned id, std::initializer_list<std::string> arguments);
std::string FormatPattern(const std::string& pattern, std::initializer_list<std::string> arguments);

} // namespace tarvix
