// Drives the shell host's window from another process, as the user's mouse would, for
// tests/wine/shell_host_test.sh:
//
//   HostRobot <action>...
//     click <n> | ctrl-click <n> | shift-click <n> | right-click <n>
//                 the mouse on the n-th listed object (from 0); each returns once the host has
//                 handled it, a right click's command and the list's refresh included
//     show        prints the listed objects one a line, "* " before a selected one
//     close       closes the host's window
//
// It waits up to 30 seconds for the host's window. Exit code 0, or 1 when the window or an
// object is not there.
#include "platform/Win.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr UINT kAnswerMs = 30000;

struct MouseAction {
    const char* name;
    UINT down;
    UINT up;
    WPARAM keys;
};
constexpr MouseAction kMouseActions[] = {
    {"click", WM_LBUTTONDOWN, WM_LBUTTONUP, 0},
    {"ctrl-click", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_CONTROL},
    {"shift-click", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_SHIFT},
    {"right-click", WM_RBUTTONDOWN, WM_RBUTTONUP, 0},
};

HWND WaitForHostList() {
    for (int waited = 0; waited < 300; ++waited) {
        HWND host = FindWindowW(L"TarvixShellHost", nullptr);
        HWND list = host != nullptr ? FindWindowExW(host, nullptr, L"LISTBOX", nullptr) : nullptr;
        if (list != nullptr && IsWindowVisible(host)) {
            return list;
        }
        Sleep(100);
    }
    return nullptr;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerMs, &answer);
    return static_cast<LRESULT>(answer);
}

void Show(HWND list) {
    const LRESULT count = Ask(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        std::wstring text(static_cast<std::size_t>(Ask(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            Ask(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
        char bytes[1024] = {};
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof(bytes), nullptr, nullptr);
        std::printf("%s%s\n", Ask(list, LB_GETSEL, index, 0) > 0 ? "* " : "  ", bytes);
    }
}

// A press and release of a mouse button on the middle of the n-th object.
bool Click(HWND list, const MouseAction& mouse, int index) {
    if (index < 0 || index >= Ask(list, LB_GETCOUNT, 0, 0)) {
        return false;
    }
    const LRESULT height = Ask(list, LB_GETITEMHEIGHT, 0, 0);
    const LRESULT top = Ask(list, LB_GETTOPINDEX, 0, 0);
    const LPARAM at = MAKELPARAM(20, (index - top) * height + height / 2);
    Ask(list, mouse.down, mouse.keys | (mouse.down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON),
        at);
    Ask(list, mouse.up, mouse.keys, at);
    return true;
}

// Runs one action; `i` moves past its argument.
bool Act(HWND list, int argc, char** argv, int& i) {
    const std::string action = argv[i];
    if (action == "show") {
        Show(list);
        return true;
    }
    if (action == "close") {
        Ask(GetParent(list), WM_CLOSE, 0, 0);
        return true;
    }
    for (const MouseAction& mouse : kMouseActions) {
        if (action == mouse.name && i + 1 < argc) {
            return Click(list, mouse, std::atoi(argv[++i]));
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    HWND list = WaitForHostList();
    if (list == nullptr) {
        std::fprintf(stderr, "no shell host window\n");
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        if (!Act(list, argc, argv, i)) {
            std::fprintf(stderr, "cannot do %s\n", argv[i]);
            return 1;
        }
    }
    std::fflush(stdout);
    return 0;
}
