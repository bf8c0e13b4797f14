// Driving the time-stamp dialog as a user would, from the robot's thread.
#pragma once
#include "platform/Win.h"
#include "stamp/StampIds.h"
#include "support/FileTimesRead.h"
#include "support/WindowRobot.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace tarvix::test {

extern const char kStampCaption[];
// The number fields in order: day, month, year, hour, minute, second.
extern const int kStampEdits[6];

// Types `text` into a number field and leaves it, so the field's check runs.
void TypeField(HWND dialog, int editId, const std::wstring& text);
// TypeField into the fields in order, from the day on; a null text leaves its field alone.
void TypeFields(HWND dialog, std::initializer_list<const wchar_t*> texts);
// The Up or Down key in a number field.
void PressArrow(HWND dialog, int editId, bool up);
// Posts a key press of `key` as the keyboard would send it to the focused control.
void PostKey(HWND control, WPARAM key);

// Runs `command` on this thread while the robot drives the dialog with `act`; returns every
// window the robot met (unexpected ones, such as error boxes, were closed with Esc).
std::vector<SeenWindow> WithStampDialog(const std::function<void(HWND)>& act,
                                        const std::function<void()>& command);
// The message texts of the boxes with this caption among `seen`.
std::vector<std::string> BoxTexts(const std::vector<SeenWindow>& seen, const std::string& caption);

} // namespace tarvix::test
