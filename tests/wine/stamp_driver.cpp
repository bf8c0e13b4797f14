#include "stamp_driver.h"

namespace tarvix::test {

const char kStampCaption[] = "Change time stamp";
const int kStampEdits[6] = {IDC_STAMP_EDIT_DAY,  IDC_STAMP_EDIT_MONTH,  IDC_STAMP_EDIT_YEAR,
                            IDC_STAMP_EDIT_HOUR, IDC_STAMP_EDIT_MINUTE, IDC_STAMP_EDIT_SECOND};

void TypeField(HWND dialog, int editId, const std::wstring& text) {
    HWND edit = ::GetDlgItem(dialog, editId);
    ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageW(dialog, WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_STAMP_NOW)), TRUE);
}

void TypeFields(HWND dialog, std::initializer_list<const wchar_t*> texts) {
    const int* edit = kStampEdits;
    for (const wchar_t* text : texts) {
        if (text != nullptr) {
            TypeField(dialog, *edit, text);
        }
        ++edit;
    }
}

void PressArrow(HWND dialog, int editId, bool up) {
    HWND edit = ::GetDlgItem(dialog, editId);
    ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    ::SendMessageW(edit, WM_KEYDOWN, up ? VK_UP : VK_DOWN, 1);
    ::SendMessageW(edit, WM_KEYUP, up ? VK_UP : VK_DOWN, 1 | (3u << 30));
}

void PostKey(HWND control, WPARAM key) {
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(static_cast<UINT>(key), 0)) << 16;
    ::PostMessageW(control, WM_KEYDOWN, key, 1 | scan);
    ::PostMessageW(control, WM_KEYUP, key, 1 | scan | (LPARAM(3) << 30));
}

std::vector<SeenWindow> WithStampDialog(const std::function<void(HWND)>& act,
                                        const std::function<void()>& command) {
    WindowRobot robot;
    robot.Then(kStampCaption, act);
    robot.Start();
    command();
    return robot.Finish();
}

std::vector<std::string> BoxTexts(const std::vector<SeenWindow>& seen, const std::string& caption) {
    std::vector<std::string> texts;
    for (const SeenWindow& window : seen) {
        if (window.caption == caption) {
            texts.push_back(window.text);
        }
    }
    return texts;
}

} // namespace tarvix::test
