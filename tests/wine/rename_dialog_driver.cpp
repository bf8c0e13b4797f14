#include "rename_dialog_driver.h"

#include <cstring>

namespace tarvix::test {

Names PathsIn(const std::string& folder, const Names& names) {
    Names paths;
    for (const std::string& name : names) {
        paths.push_back(folder + "\\" + name);
    }
    return paths;
}

Names ListItems(HWND dialog, int id) {
    const HWND list = ::GetDlgItem(dialog, id);
    const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    Names items;
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, i, 0);
        std::string item(static_cast<std::size_t>(length) + 1, '\0');
        ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<std::size_t>(length));
        items.push_back(item);
    }
    return items;
}

std::string ItemText(HWND dialog, int id) {
    return WindowText(::GetDlgItem(dialog, id));
}

bool ItemEnabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TypeCharacter(HWND dialog, int id, char character) {
    ::SendMessageA(::GetDlgItem(dialog, id), WM_CHAR, static_cast<unsigned char>(character), 1);
}

void PressKey(HWND dialog, int id, int virtualKey) {
    const HWND control = ::GetDlgItem(dialog, id);
    ::SendMessageA(control, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
    ::SendMessageA(control, WM_KEYUP, static_cast<WPARAM>(virtualKey), 0xC0000001);
}

void SelectListItem(HWND dialog, int id, int index) {
    ::SendMessageA(::GetDlgItem(dialog, id), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Click(HWND dialog, int id) {
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::string ClickAndAnswer(HWND dialog, int id, const std::string& caption, DWORD thread,
                           int answer) {
    ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    const HWND box = WaitForWindow(caption, thread);
    if (box == nullptr) {
        return "<no box>";
    }
    const std::string text = MessageBoxText(box);
    PressButton(box, answer);
    WaitUntil([box] { return ::IsWindow(box) == FALSE; });
    return text;
}

HWND FocusOf(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

void PutClipboardText(const std::string& text) {
    if (!::OpenClipboard(nullptr)) {
        return;
    }
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (block != nullptr) {
        std::memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
        ::GlobalUnlock(block);
        ::SetClipboardData(CF_TEXT, block);
    }
    ::CloseClipboard();
}

void EmptyTheClipboard() {
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

std::vector<SeenWindow> RunSeriesCommand(const ExtensionDll& dll, const Names& paths,
                                         const std::function<void(HWND dialog)>& script,
                                         std::function<void(WindowRobot&)> moreSteps) {
    WindowRobot robot;
    robot.Then("Rename series", script);
    if (moreSteps) {
        moreSteps(robot);
    }
    robot.Start();
    IContextMenu* menu = SelectWith(dll, paths);
    if (menu != nullptr) {
        Invoke(menu, 2);
        menu->Release();
    }
    return robot.Finish();
}

} // namespace tarvix::test
