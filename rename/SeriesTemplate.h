// The name template of a rename series: which edited templates are taken, how the start number
// is read, and the new names a template gives. No platform calls.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvix {

constexpr int kLowestStartNumber = 0;
constexpr int kHighestStartNumber = 32767;

// True when `text` may become the template: none of \ / : " < > |, at most one '*' and at
// most one run of '?'.
bool AcceptableTemplate(std::wstring_view text);

// True when the template computes names at all (holds a '*' or a '?'); a template without
// either leaves the new names as they were.
bool TemplateComputesNames(std::wstring_view acceptedTemplate);

// The new name of `oldName` as number `number` of the series: the expanded template followed
// by the old name's extension.
std::wstring ExpandTemplate(std::wstring_view acceptedTemplate, std::wstring_view oldName,
                            long long number);

// The new names of `oldNames` in order, numbered from `startNumber`.
std::vector<std::wstring> SeriesNames(std::wstring_view acceptedTemplate, int startNumber,
                                      const std::vector<std::wstring>& oldNames);

// The start number a text gives: its integer value moved into 0..32767 when it lies outside;
// nothing when the text is unreadable.
std::optional<int> ReadStartNumber(std::wstring_view text);

} // namespace tarvix
