#include "rename_dialog_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace tarvix::test {

Names PathsIn(const std::wstring& folder, const Names& names) {
    Names paths;
    for (const std::wstring& name : names) {
        paths.push_back(folder + L"\\" + name);
    }
    return paths;
}

Texts ListItems(HWND dialog, int id) {
    const HWND list = ::GetDlgItem(dialog, id);
    const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    Texts items;
    for (LRESULT i = 0; i < count; ++i) {
        // Asked in ANSI, a list of wide items may give a length above the text's own.
        const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, i, 0);
        std::string item(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
        const LRESULT copied =
            ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
        items.push_back(item);
    }
    return items;
}

bool ItemEnabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

void SetItemText(HWND dialog, int id, const std::wstring& text) {
    ::SendMessageW(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TypeCharacter(HWND dialog, int id, wchar_t character) {
    ::SendMessageW(::GetDlgItem(dialog, id), WM_CHAR, character, 1);
}

void PressKey(HWND dialog, int id, int virtualKey) {
    const HWND control = ::GetDlgItem(dialog, id);
    ::SendMessageW(control, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
    ::SendMessageW(control, WM_KEYUP, static_cast<WPARAM>(virtualKey), 0xC0000001);
}

void SelectListItem(HWND dialog, int id, int index) {
    ::SendMessageW(::GetDlgItem(dialog, id), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Click(HWND dialog, int id) {
    ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::string ClickAndAnswer(HWND dialog, int id, const std::string& caption, DWORD thread,
                           int answer) {
    ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    const HWND box = WaitForWindow(caption, thread);
    if (box == nullptr) {
        return "<no box>";
    }
    const std::string text = MessageBoxText(box);
    PressButton(box, answer);
    WaitUntil([box] { return ::IsWindow(box) == FALSE; });
    return text;
}

std::vector<SeenWindow> RunSeriesCommand(const ExtensionDll& dll, const Names& paths,
                                         const std::function<void(HWND dialog)>& script) {
    WindowRobot robot;
    robot.Then("Rename series", script);
    robot.Start();
    IContextMenu* menu = SelectWith(dll, paths);
    EXPECT_NE(menu, nullptr) << "no extension object for the selection";
    if (menu != nullptr) {
        Invoke(menu, 2);
        menu->Release();
    }
    std::vector<SeenWindow> seen = robot.Finish();
    EXPECT_TRUE(robot.AllStepsMet()) << "the rename-series dialog never came";
    return seen;
}

} // namespace tarvix::test
