// What the time-stamp dialog hands to the run after OK: the entered local date and time
// (the six spin positions) and which of the three stamps are to be set.
#pragma once

namespace tarvix {

struct StampChoice {
    int day = 1;
    int month = 1;
    int year = 2000;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool created = true;  // CheckBoxVytvoreno
    bool modified = true; // CheckBoxZmeneno
    bool accessed = true; // CheckBoxOtevreno
};

} // namespace tarvix
