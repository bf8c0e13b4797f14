// The frame of a command from either menu: the busy counter, owner window and visual styles on
// every way out; and InvokeCommand's refusals.
#include "platform/Faults.h"
#include "platform/Module.h"
#include "shell/Dispatch.h"
#include "shell/Server.h"
#include "support/DispatchFrame.h"
#include "support/Extension.h"
#include "support/TempFolder.h"
#include "support/WindowRobot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace tarvix::test {
namespace {

using Dispatch = DispatchFrame;

// Both menus, on items of the tests' own: the frame tests run on an empty selection.
class Frame : public BothMenus {
  protected:
    Frame() { shellItems = false; }
};

TEST_F(Dispatch, VerbStringsAndIndexesAboveElevenAreRefused) {
    EXPECT_EQ(Choose("open"), E_FAIL);
    EXPECT_EQ(Choose(12u), E_INVALIDARG);
    EXPECT_EQ(Choose(65535u), E_INVALIDARG);
    EXPECT_EQ(DispatchCommand(nullptr, selection), E_INVALIDARG);
    EXPECT_EQ(BusyCounter(), 0);
    EXPECT_EQ(OwnerWindow(), previousOwner);
}

TEST_P(Frame, EveryCommandAnswersOkAndRestoresTheFrame) {
    // Commands that need a selection or the user end at once on an empty selection or are
    // answered by the robot; what matters here is the frame around them.
    WindowRobot robot;
    robot.Start();
    for (unsigned index = 4; index < 10; ++index) {
        EXPECT_EQ(Choose(index), S_OK) << index;
        EXPECT_EQ(BusyCounter(), 0);
        EXPECT_EQ(OwnerWindow(), previousOwner);
    }
    ExpectOnlyExpectedWindows(robot.Finish());
}

// A C++ exception that leaves a command is shown with its text (or "Out of memory") and goes
// no further; processor faults are not caught at all, they belong to the platform.
TEST_P(Frame, AnExceptionInsideACommandIsShownInTheShellsWindowAndContained) {
    for (const auto& [fault, text] : {std::pair{FaultCall::ClipboardOpen, "Cannot open clipboard"},
                                      std::pair{FaultCall::Allocation, "Out of memory"}}) {
        WindowRobot robot;
        std::string shown;
        HWND owner = nullptr;
        robot.Then("Error", [&](HWND box) {
            shown = MessageBoxText(box);
            owner = ::GetWindow(box, GW_OWNER);
            PressButton(box, IDOK);
        });
        robot.Start();
        PlanFault(fault, 0);
        EXPECT_EQ(Choose(8u), S_OK);
        ExpectOnlyExpectedWindows(robot.Finish());
        EXPECT_TRUE(robot.AllStepsMet());
        EXPECT_EQ(shown, text);
        EXPECT_EQ(owner, shellWindow);
        EXPECT_EQ(BusyCounter(), 0);
        EXPECT_EQ(OwnerWindow(), previousOwner);
        EXPECT_TRUE(::IsWindowEnabled(shellWindow));
    }
}

// The messages a window of the shell was given while the drain ran.
std::vector<UINT> g_dispatched;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT || message == WM_TIMER || message == WM_CLOSE || message >= WM_USER ||
        (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
        (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
        (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK)) {
        g_dispatched.push_back(message);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// After the command the drain runs paint, timers and posted messages of the application; the
// user's keys and clicks and a request to close stay queued, in order, for the shell's own
// loop, and a quit message is posted again.
TEST_F(Dispatch, TheDrainLeavesInputCloseAndQuitToTheShellsLoop) {
    WNDCLASSW recording{};
    recording.lpfnWndProc = RecordingProcedure;
    recording.hInstance = ::GetModuleHandleW(nullptr);
    recording.lpszClassName = L"TarvixDrainProbe";
    ::RegisterClassW(&recording);
    HWND shell = ::CreateWindowW(L"TarvixDrainProbe", L"probe", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20,
                                 nullptr, nullptr, recording.hInstance, nullptr);
    ASSERT_NE(shell, nullptr);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&message);
    }
    g_dispatched.clear();

    const std::vector<UINT> input = {WM_KEYDOWN,     WM_CHAR,          WM_KEYUP,
                                     WM_LBUTTONDOWN, WM_LBUTTONUP,     WM_MOUSEMOVE,
                                     WM_RBUTTONDOWN, WM_NCLBUTTONDOWN, WM_CLOSE};
    ::PostMessageW(shell, WM_APP + 1, 0, 0);
    for (UINT queued : input) {
        ::PostMessageW(shell, queued, 0, 0);
    }
    ::PostMessageW(shell, WM_USER + 5, 0, 0);
    ::InvalidateRect(shell, nullptr, FALSE);
    ::SetTimer(shell, 1, USER_TIMER_MINIMUM, nullptr);
    ASSERT_TRUE(WaitUntil([] { return (HIWORD(::GetQueueStatus(QS_TIMER)) & QS_TIMER) != 0; }));
    ::PostQuitMessage(7);

    EXPECT_EQ(Choose(4u), S_OK);
    ::KillTimer(shell, 1);
    const std::vector<UINT> drained = g_dispatched;
    std::vector<UINT> left;
    bool quit = false;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            EXPECT_EQ(message.wParam, 7u);
        } else if (message.hwnd == shell && message.message != WM_TIMER &&
                   message.message != WM_PAINT) {
            left.push_back(message.message);
        }
    }
    ::DestroyWindow(shell);

    for (UINT ran : {UINT(WM_APP + 1), UINT(WM_USER + 5), UINT(WM_PAINT), UINT(WM_TIMER)}) {
        EXPECT_NE(std::find(drained.begin(), drained.end(), ran), drained.end()) << ran;
    }
    for (UINT queued : input) {
        EXPECT_EQ(std::find(drained.begin(), drained.end(), queued), drained.end()) << queued;
    }
    EXPECT_EQ(left, input);
    EXPECT_TRUE(quit);
}

INSTANTIATE_TEST_SUITE_P(Menus, Frame, ::testing::Values(Menu::Classic, Menu::First), MenuName);

// BCM_GETIDEALSIZE exists only in the buttons of common controls version 6.
bool IsVersion6Button(HWND button) {
    SIZE size{};
    return ::SendMessageA(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&size)) != 0;
}

bool HostButtonIsVersion6() {
    HWND button = ::CreateWindowA("BUTTON", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    const bool version6 = IsVersion6Button(button);
    ::DestroyWindow(button);
    return version6;
}

// Runs a command whose window `caption` the robot closes with `button`, after asking that
// button whether it is of version 6.
bool CommandButtonIsVersion6(const std::string& caption, int button,
                             const std::function<void()>& command) {
    WindowRobot robot;
    bool version6 = false;
    robot.Then(caption, [&](HWND window) {
        version6 = IsVersion6Button(::GetDlgItem(window, button));
        PressButton(window, button);
    });
    robot.Start();
    command();
    ExpectOnlyExpectedWindows(robot.Finish());
    EXPECT_TRUE(robot.AllStepsMet()) << caption;
    return version6;
}

TEST_F(Dispatch, ACommandsWindowsHaveVisualStylesAndTheHostKeepsItsOwn) {
    ASSERT_FALSE(HostButtonIsVersion6());
    HANDLE hostContext = nullptr;
    ::GetCurrentActCtx(&hostContext);
    PlanFault(FaultCall::ClipboardOpen, 0);
    EXPECT_TRUE(CommandButtonIsVersion6("Error", IDOK, [&] { EXPECT_EQ(Choose(8u), S_OK); }));
    EXPECT_FALSE(HostButtonIsVersion6());
    HANDLE afterContext = nullptr;
    ::GetCurrentActCtx(&afterContext);
    EXPECT_EQ(afterContext, hostContext);
    ::ReleaseActCtx(afterContext);
    ::ReleaseActCtx(hostContext);
}

TEST(VisualStyles, TheDllsOwnDialogUsesCommonControls6) {
    TempFolder folder;
    WriteTextFile(folder / "styled.txt", "styled");
    ExtensionDll dll;
    EXPECT_TRUE(CommandButtonIsVersion6("Change time stamp", IDCANCEL, [&] {
        EXPECT_EQ(SelectAndInvoke(dll, {folder / "styled.txt"}, 3), S_OK);
    }));
    EXPECT_FALSE(HostButtonIsVersion6());
    EXPECT_EQ(Snapshot(folder.Path()), (Map{{"styled.txt", "styled"}}));
}

} // namespace
} // namespace tarvix::test
