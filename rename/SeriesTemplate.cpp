#include "SeriesTemplate.h"

#include "common/IntegerText.h"
#include "common/NameCharacters.h"
#include "common/PathTerms.h"

#include <algorithm>

namespace tarvix {
namespace {

// Writes `digits` padded on the left with '0' to `width` characters; never cut.
void AppendNumberField(std::wstring& result, std::size_t width, const std::wstring& digits) {
    if (width > digits.size()) {
        result.append(width - digits.size(), L'0');
    }
    result += digits;
}

} // namespace

bool AcceptableTemplate(std::wstring_view text) {
    if (HoldsCharacterNotInAName(text)) {
        return false;
    }
    int stars = 0;
    int runs = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        stars += text[i] == L'*' ? 1 : 0;
        runs += text[i] == L'?' && (i == 0 || text[i - 1] != L'?') ? 1 : 0;
    }
    return stars <= 1 && runs <= 1;
}

bool TemplateComputesNames(std::wstring_view acceptedTemplate) {
    return acceptedTemplate.find_first_of(L"*?") != std::wstring_view::npos;
}

std::wstring ExpandTemplate(std::wstring_view acceptedTemplate, std::wstring_view oldName,
                            long long number) {
    const std::wstring digits = std::to_wstring(number);
    std::wstring result;
    result.reserve(acceptedTemplate.size() + oldName.size() + digits.size());
    std::size_t run = 0;
    for (const wchar_t character : acceptedTemplate) {
        if (character == L'?') {
            ++run;
            continue;
        }
        if (run > 0) {
            AppendNumberField(result, run, digits);
            run = 0;
        }
        if (character == L'*') {
            result += NamePart(oldName);
        } else {
            result += character;
        }
    }
    if (run > 0) {
        AppendNumberField(result, run, digits);
    }
    result += Extension(oldName);
    return result;
}

std::vector<std::wstring> SeriesNames(std::wstring_view acceptedTemplate, int startNumber,
                                      const std::vector<std::wstring>& oldNames) {
    std::vector<std::wstring> names;
    names.reserve(oldNames.size());
    long long number = startNumber;
    for (const std::wstring& oldName : oldNames) {
        names.push_back(ExpandTemplate(acceptedTemplate, oldName, number++));
    }
    return names;
}

std::optional<int> ReadStartNumber(std::wstring_view text) {
    const std::optional<std::int32_t> value = ReadIntegerText(text);
    if (!value) {
        return std::nullopt;
    }
    return std::clamp<std::int32_t>(*value, kLowestStartNumber, kHighestStartNumber);
}

} // namespace tarvix
