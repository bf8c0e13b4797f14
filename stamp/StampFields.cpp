#include "StampFields.h"

#include "common/IntegerText.h"

#include <algorithm>

namespace tarvix {

FieldLimits LimitsOf(StampField field) {
    switch (field) {
    case StampField::Day:
        return {1, 31, 1};
    case StampField::Month:
        return {1, 12, 1};
    case StampField::Year:
        return {1980, 2107, 1};
    case StampField::Hour:
        return {0, 23, 1};
    case StampField::Minute:
        return {0, 59, 1};
    case StampField::Second:
        break;
    }
    return {0, 58, 2};
}

std::wstring FieldText(StampField field, int position) {
    const bool twoDigits = field == StampField::Minute || field == StampField::Second;
    std::wstring text = std::to_wstring(position);
    if (twoDigits && position >= 0 && position < 10) {
        text.insert(text.begin(), L'0');
    }
    return text;
}

std::optional<CheckedField> CheckFieldText(StampField field, std::wstring_view typed) {
    const std::optional<std::int32_t> number = ReadIntegerText(typed);
    if (!number) {
        return std::nullopt;
    }
    int value = *number;
    if (field == StampField::Second) {
        value = value / 2 * 2;
    }
    const FieldLimits limits = LimitsOf(field);
    const int position = std::clamp(value, limits.min, limits.max);
    return CheckedField{position, FieldText(field, position)};
}

int StepWrapped(StampField field, int start, bool up) {
    const FieldLimits limits = LimitsOf(field);
    const long long next = static_cast<long long>(start) + (up ? limits.step : -limits.step);
    if (next > limits.max) {
        return limits.min;
    }
    if (next < limits.min) {
        return limits.max;
    }
    return static_cast<int>(next);
}

} // namespace tarvix
