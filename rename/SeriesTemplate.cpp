#include "SeriesTemplate.h"

#include "common/IntegerText.h"
#include "common/NameCharacters.h"
#include "common/PathTerms.h"

#include <algorithm>

namespace tarvix {
namespace {

// Writes `digits` padded on the left with '0' to `width` characters; never cut.
void AppendNumberField(std::string& result, std::size_t width, const std::string& digits) {
    if (width > digits.size()) {
        result.append(width - digits.size(), '0');
    }
    result += digits;
}

} // namespace

bool AcceptableTemplate(std::string_view text) {
    if (HoldsCharacterNotInAName(text)) {
        return false;
    }
    int stars = 0;
    int runs = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        stars += text[i] == '*' ? 1 : 0;
        runs += text[i] == '?' && (i == 0 || text[i - 1] != '?') ? 1 : 0;
    }
    return stars <= 1 && runs <= 1;
}

bool TemplateComputesNames(std::string_view acceptedTemplate) {
    return acceptedTemplate.find_first_of("*?") != std::string_view::npos;
}

std::string ExpandTemplate(std::string_view acceptedTemplate, std::string_view oldName,
                           long long number) {
    const std::string digits = std::to_string(number);
    std::string result;
    result.reserve(acceptedTemplate.size() + oldName.size() + digits.size());
    std::size_t run = 0;
    for (const char character : acceptedTemplate) {
        if (character == '?') {
            ++run;
            continue;
        }
        if (run > 0) {
            AppendNumberField(result, run, digits);
            run = 0;
        }
        if (character == '*') {
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

std::vector<std::string> SeriesNames(std::string_view acceptedTemplate, int startNumber,
                                     const std::vector<std::string>& oldNames) {
    std::vector<std::string> names;
    names.reserve(oldNames.size());
    long long number = startNumber;
    for (const std::string& oldName : oldNames) {
        names.push_back(ExpandTemplate(acceptedTemplate, oldName, number++));
    }
    return names;
}

std::optional<int> ReadStartNumber(std::string_view text) {
    const std::optional<std::int32_t> value = ReadIntegerText(text);
    if (!value) {
        return std::nullopt;
    }
    return std::clamp<std::int32_t>(*value, kLowestStartNumber, kHighestStartNumber);
}

} // namespace tarvix
