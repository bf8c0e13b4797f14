// Texts from the string table, loaded at the moment they are shown.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace tarvix {

std::wstring LoadText(unsigned id);
// The text with each "%s" replaced by the next argument, in order.
std::wstring FormatText(unsigned id, std::initializer_list<std::wstring> arguments);
std::wstring FormatPattern(const std::wstring& pattern,
                           std::initializer_list<std::wstring> arguments);

// Conversions at the edges where the system's ANSI code page is still asked for (the ANSI help
// text, the ANSI clipboard format, ANSI drop lists): as the system converts.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

} // namespace tarvix
