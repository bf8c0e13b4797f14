// The rules of Copy as / Move as that need no platform: how a selection is classified, which
// typed names and patterns the save dialog accepts for it, and where each object goes.
#pragma once
#include "common/CaseConversion.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvix {

enum SelectionKind : std::uint8_t { skSingle = 0, skSameName = 1, skSameExt = 2, skMixed = 3 };
enum PatternKind : std::uint8_t { pkPlainName = 0, pkKeepExt = 1, pkKeepName = 2, pkKeepBoth = 3 };

// Which part of an entry is its comparison key.
enum class KeyPart { NamePart, Extension };

// The lower-cased key of a full path.
std::wstring KeyOf(std::wstring_view path, KeyPart part, CaseConversion lower);
// True when every entry has the key of the first (a list of one entry: true).
bool AllShare(const std::vector<std::wstring>& paths, KeyPart part, CaseConversion lower);
// True when some two entries have equal keys (fewer than two entries: false).
bool AnyPairShares(const std::vector<std::wstring>& paths, KeyPart part, CaseConversion lower);

SelectionKind ClassifySelection(const std::vector<std::wstring>& paths, CaseConversion lower);
// The text that goes between the marks of the dialog's title (nothing for skMixed).
std::wstring TitleArgument(SelectionKind kind, const std::wstring& firstPath, CaseConversion lower);
// The folder the dialog opens in: the first object's folder part without its final '\'.
std::wstring InitialFolder(const std::wstring& firstPath);

// The held path lies directly in the shown folder (trailing '\' ignored, exact comparison).
bool InShownFolder(const std::wstring& heldPath, const std::wstring& shownFolder);
// The kind of a typed bare name, or nothing when it is no usable name or pattern.
std::optional<PatternKind> ReadPattern(const std::wstring& bareName);
// The name box as the user typed it holds none of the characters a name may not hold (the
// dialog itself reads some of them, such as quotes, and returns another name).
bool TypedAsAName(std::wstring_view typedName);
// The acceptance table; the pair tests are asked only where the table needs them.
bool AcceptsPattern(SelectionKind selection, PatternKind pattern,
                    const std::function<bool(KeyPart)>& anyPairShares);

// Where `objectPath` goes for the dialog's final path.
std::wstring DestinationOf(PatternKind pattern, const std::wstring& finalPath,
                           const std::wstring& objectPath);

// True when every object keeps its own bare name or gets one that the platform would neither
// take for a device nor cut short (see IsAllowedNewName).
bool NewNamesAllowed(PatternKind pattern, const std::wstring& finalPath,
                     const std::vector<std::wstring>& objectPaths);

// True when `path` is `folder` itself or lies below it, by whole path components. Both are
// canonical, comparable spellings (full, long names, lower-cased).
bool IsSameOrBelow(const std::wstring& folder, const std::wstring& path);

} // namespace tarvix
