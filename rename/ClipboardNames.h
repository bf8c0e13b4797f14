// New names taken line by line from clipboard text. No platform calls.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tarvix {

// The lines of `text`: a line ends at CR LF, at a CR alone or at an LF alone; a break at the
// very end adds no empty line; empty lines elsewhere count; an empty text has no lines.
std::vector<std::wstring> SplitLines(std::wstring_view text);

// True when no line holds a character that a name may not hold (\ / : " < > |): such a line
// would move its object into another folder or onto another drive instead of renaming it.
bool LinesAreBareNames(const std::vector<std::wstring>& lines);

// Line i followed by the extension of old name i, for every i (both lists of one length).
std::vector<std::wstring> NamesFromLines(const std::vector<std::wstring>& lines,
                                         const std::vector<std::wstring>& oldNames);

} // namespace tarvix
