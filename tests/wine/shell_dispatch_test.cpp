// InvokeCommand: refusals, and the busy counter and owner window on every way out.
#include "platform/Faults.h"
#include "platform/Module.h"
#include "shell/Dispatch.h"
#include "shell/Server.h"
#include "support/DispatchFrame.h"
#include "support/Extension.h"
#include "support/WindowRobot.h"

#include <gtest/gtest.h>

namespace tarvix::test {
namespace {

HRESULT DispatchVerb(const char* verb, HWND owner) {
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    info.hwnd = owner;
    info.lpVerb = verb;
    return DispatchCommand(&info);
}

using Dispatch = DispatchFrame;

TEST_F(Dispatch, VerbStringsAndIndexesAboveElevenAreRefused) {
    EXPECT_EQ(DispatchVerb("open", shellWindow), E_FAIL);
    EXPECT_EQ(DispatchVerb(MAKEINTRESOURCEA(12), shellWindow), E_INVALIDARG);
    EXPECT_EQ(DispatchVerb(MAKEINTRESOURCEA(65535), shellWindow), E_INVALIDARG);
    EXPECT_EQ(DispatchCommand(nullptr), E_INVALIDARG);
    EXPECT_EQ(BusyCounter(), 0);
    EXPECT_EQ(OwnerWindow(), previousOwner);
}

TEST_F(Dispatch, EveryCommandIndexAnswersOkAndRestoresTheFrame) {
    // Commands that need a selection or the user end at once on an empty selection or are
    // answered by the robot; what matters here is the frame around them.
    WindowRobot robot;
    robot.Start();
    for (unsigned index = 4; index < 10; ++index) {
        EXPECT_EQ(DispatchVerb(MAKEINTRESOURCEA(index), shellWindow), S_OK) << index;
        EXPECT_EQ(BusyCounter(), 0);
        EXPECT_EQ(OwnerWindow(), previousOwner);
    }
    robot.Finish();
}

TEST_F(Dispatch, AFaultInsideACommandIsShownAndContained) {
    WindowRobot robot;
    std::string shown;
    robot.Then("Error", [&](HWND box) {
        shown = MessageBoxText(box);
        PressButton(box, IDOK);
    });
    robot.Start();
    PlanFault(FaultCall::Crash, 0);
    EXPECT_EQ(DispatchVerb(MAKEINTRESOURCEA(4), shellWindow), S_OK);
    robot.Finish();
    EXPECT_TRUE(robot.AllStepsMet());
    EXPECT_EQ(shown, "Unexpected error occurred.");
    EXPECT_EQ(BusyCounter(), 0);
    EXPECT_EQ(OwnerWindow(), previousOwner);
}

TEST_F(Dispatch, AQuitMessageMetWhileDrainingIsPostedAgain) {
    ::PostQuitMessage(7);
    EXPECT_EQ(DispatchVerb(MAKEINTRESOURCEA(4), shellWindow), S_OK);
    MSG message;
    ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

} // namespace
} // namespace tarvix::test
