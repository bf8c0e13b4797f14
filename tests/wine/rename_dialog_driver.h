// Drives the rename-series dialog from the robot's thread, as a user would: reads its fields
// and lists, types, clicks, and answers the boxes that its handlers show.
#pragma once
#include "platform/Win.h"
#include "support/Extension.h"
#include "support/WindowRobot.h"

#include <functional>
#include <string>
#include <vector>

namespace tarvix::test {

// Names and paths as the tests give them; the dialog's texts as an ANSI client reads them.
using Names = std::vector<std::wstring>;
using Texts = std::vector<std::string>;

// The full paths of `names` in `folder`.
Names PathsIn(const std::wstring& folder, const Names& names);
Texts ListItems(HWND dialog, int id);
bool ItemEnabled(HWND dialog, int id);
// WM_SETTEXT, as a paste over the whole field.
void SetItemText(HWND dialog, int id, const std::wstring& text);
void TypeCharacter(HWND dialog, int id, wchar_t character);
void PressKey(HWND dialog, int id, int virtualKey);
void SelectListItem(HWND dialog, int id, int index);
// Clicks a button or check box whose handler shows no box; returns when it has run.
void Click(HWND dialog, int id);
// Clicks, then answers the box with `caption` that the click brings up; returns its text.
std::string ClickAndAnswer(HWND dialog, int id, const std::string& caption, DWORD thread,
                           int answer = IDOK);
// Puts `text` on the clipboard as CF_UNICODETEXT, as a program of today copies text.

// Runs the rename-series command of the DLL on `paths` while `script` drives the dialog
// (the script must close it). Returns every window the robot met; a test whose dialog never
// came fails.
std::vector<SeenWindow> RunSeriesCommand(const ExtensionDll& dll, const Names& paths,
                                         const std::function<void(HWND dialog)>& script);

} // namespace tarvix::test
