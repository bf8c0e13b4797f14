// The six number fields of the time-stamp dialog: their limits, the check that turns a typed
// text into the field's value and the text it shows, and the step of the field's spin.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tarvix {

enum class StampField { Day, Month, Year, Hour, Minute, Second };
constexpr int kStampFieldCount = 6;

struct FieldLimits {
    int min;
    int max;
    int step;
};
FieldLimits LimitsOf(StampField field);

// A readable text after the field's check: the spin's position and the text the field then
// shows, which is also the field's new last good text.
struct CheckedField {
    int position;
    std::wstring text;
};

// Nothing for an unreadable text: the field then shows its last good text again. A readable
// number is clamped to the limits; a second is first lowered to even (toward zero).
std::optional<CheckedField> CheckFieldText(StampField field, std::wstring_view typed);

// How a field shows a position: minute and second always with two digits.
std::wstring FieldText(StampField field, int position);

// One arrow of the spin from `start`: a step up or down, wrapping past either limit to the
// other one, so the second goes from 58 up to 0 and from 0 down to 58.
int StepWrapped(StampField field, int start, bool up);

} // namespace tarvix
