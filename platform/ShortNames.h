// Long names for the 8.3 short names the shell hands over. GetLongPathNameW cannot serve:
// under Wine it returns every \\?\ path unchanged, and the paths that carry short names are
// the ones too long to go without that prefix.
#pragma once
#include <optional>
#include <string>
#include <unordered_map>

namespace tarvix {

// The long name of the object that `name` (a short or a long name, never a pattern) names in
// `folder` (ending in '\'); nothing when there is none.
std::optional<std::wstring> LongNameIn(const std::wstring& folder, const std::wstring& name);

// One listing of `folder` (ending in '\'): the short name of each object that has one, and
// its long name.
std::unordered_map<std::wstring, std::wstring> ShortNamesIn(const std::wstring& folder);

} // namespace tarvix
