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

#include <functional>

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
    robot.Finish();
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
        robot.Finish();
        EXPECT_TRUE(robot.AllStepsMet());
        EXPECT_EQ(shown, text);
        EXPECT_EQ(owner, shellWindow);
        EXPECT_EQ(BusyCounter(), 0);
        EXPECT_EQ(OwnerWindow(), previousOwner);
        EXPECT_TRUE(::IsWindowEnabled(shellWindow));
    }
}

TEST_P(Frame, AQuitMessageMetWhileDrainingIsPostedAgain) {
    ::PostQuitMessage(7);
    EXPECT_EQ(Choose(4u), S_OK);
    MSG message;
    ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
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
    robot.Finish();
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
