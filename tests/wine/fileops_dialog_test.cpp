// Copy as / Move as through the system's real save dialog, driven as a user would drive it.
#include "commands/CopyMoveAs.h"
#include "fileops/ProgressIds.h"
#include "fileops_support.h"
#include "fileops/ReplaceQuestion.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"
#include "support/Extension.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarvix::test {
namespace {

// Types `name` and presses Save; true when the dialog is still open afterwards (refused).
bool Enter(HWND dialog, const std::wstring& name) {
    ::SetWindowTextW(::GetDlgItem(dialog, kFileNameBox), name.c_str());
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    return ::IsWindow(dialog) && ::IsWindowVisible(dialog);
}

struct DialogRun {
    std::vector<SeenWindow> seen;
    bool allMet = false;
    bool windowShown = false;
};

class CopyMoveAsTest : public ::testing::Test {
  protected:
    // Runs the command on `list`; `onDialog` drives the dialog with `title`, and `after`
    // answers the boxes of the batch.
    DialogRun Run(const std::vector<std::wstring>& list, bool move, const std::wstring& title,
                  std::function<void(HWND)> onDialog, const std::vector<Answer>& after = {}) {
        auto form = std::make_unique<TFormProgress>();
        form->SetCaption(LoadText(move ? IDS_VERB_MOVE : IDS_VERB_COPY));
        WindowRobot robot;
        robot.Then(WideToAnsi(title), std::move(onDialog));
        for (const Answer& answer : after) {
            robot.Answer(answer.caption, answer.button);
        }
        robot.Start();
        CopyMoveAsRun(list, move).CopyMoveAs(*form);
        DialogRun run;
        run.allMet = robot.AllStepsMet();
        run.windowShown = ::IsWindowVisible(form->Handle()) != FALSE;
        // The robot reads the texts of this thread's windows through messages: the window
        // goes before the robot stops, as it does when the command ends.
        form.reset();
        run.seen = robot.Finish();
        return run;
    }

    std::wstring In(const std::string& name) const { return folder / ("In\\" + name); }

    void SetUp() override {
        MakeFolder(folder / "In");
        MakeFolder(folder / "In\\Sub");
    }

    TempFolder folder;
};

// Boxes met that no step expected. The progress window is expected to show, and the system's
// dialog briefly shows a helper window of its own without a caption.
std::vector<std::string> Unexpected(const std::vector<SeenWindow>& seen) {
    std::vector<std::string> texts;
    for (const SeenWindow& window : seen) {
        if (!window.expected && !window.caption.empty() && window.caption != "Copy" &&
            window.caption != "Move") {
            texts.push_back(window.caption + ": " + window.text);
        }
    }
    return texts;
}

TEST_F(CopyMoveAsTest, SingleObjectTakesEveryPatternKind) {
    const std::pair<const char*, const char*> cases[] = {
        {"Summary.doc", "Summary.doc"},
        {"*.bak", "Report.bak"},
        {"*", "Report"},
        {"x.*", "x.TXT"},
        {".*", ".TXT"},
    };
    for (const auto& [typed, expected] : cases) {
        SCOPED_TRACE(typed);
        WriteTextFile(In("Report.TXT"), "the report");
        std::wstring shownFolder;
        std::string initialName;
        DialogRun run = Run({In("Report.TXT")}, false, L"Copy „Report.TXT” as...",
                            [&, typed = W(typed)](HWND dialog) {
                                initialName = WindowText(::GetDlgItem(dialog, kFileNameBox));
                                shownFolder = CurrentFolder();
                                Enter(dialog, typed);
                            });
        EXPECT_TRUE(run.allMet);
        EXPECT_TRUE(run.windowShown);
        EXPECT_EQ(Unexpected(run.seen), std::vector<std::string>{});
        EXPECT_EQ(initialName, "*.*");
        EXPECT_EQ(shownFolder, folder / "In");
        EXPECT_EQ(Snapshot(folder / "In"),
                  (Map{{"Report.TXT", "the report"}, {expected, "the report"}, {"Sub", "<dir>"}}));
        ::DeleteFileW(In(expected).c_str());
    }
}

TEST_F(CopyMoveAsTest, RefusedEntriesKeepTheDialogOpenUntilAnAcceptedOne) {
    WriteTextFile(In("a.txt"), "a");
    WriteTextFile(In("b.txt"), "b");
    std::vector<std::wstring> stayedOpen;
    DialogRun run = Run({In("a.txt"), In("b.txt")}, true,
                        L"Move selected objects with extension „.txt” as...", [&](HWND dialog) {
                            for (const wchar_t* refused : {L"new.*", L"new.txt", L"a*.txt", L"x.t*",
                                                           L"a|b", L"link.lnk", L"Sub"}) {
                                if (Enter(dialog, refused)) {
                                    stayedOpen.push_back(refused);
                                }
                            }
                            if (Enter(dialog, folder / "x.bak")) {
                                stayedOpen.push_back(L"other folder");
                            }
                            Enter(dialog, L"*.bak");
                        });
    EXPECT_TRUE(run.allMet);
    EXPECT_EQ(Unexpected(run.seen), std::vector<std::string>{});
    EXPECT_EQ(stayedOpen,
              (std::vector<std::wstring>{L"new.*", L"new.txt", L"a*.txt", L"x.t*", L"a|b",
                                         L"link.lnk", L"Sub", L"other folder"}));
    EXPECT_EQ(Snapshot(folder.Path()),
              (Map{{"In", "<dir>"}, {"In\\Sub", "<dir>"}, {"In\\a.bak", "a"}, {"In\\b.bak", "b"}}));
}

// The dialog reads quotes in the name box as delimiters and would return another name: the
// name is judged as typed, and refused.
TEST_F(CopyMoveAsTest, QuotesAreJudgedAsTypedAndRefused) {
    WriteTextFile(In("a.txt"), "a");
    std::vector<std::wstring> stayedOpen;
    DialogRun run = Run({In("a.txt")}, false, L"Copy „a.txt” as...", [&](HWND dialog) {
        for (const wchar_t* typed : {L"x\"b.txt", L"\"x.txt\""}) {
            if (Enter(dialog, typed)) {
                stayedOpen.push_back(typed);
            }
        }
        PressButton(dialog, IDCANCEL);
    });
    EXPECT_TRUE(run.allMet);
    EXPECT_EQ(stayedOpen, (std::vector<std::wstring>{L"x\"b.txt", L"\"x.txt\""}));
    EXPECT_EQ(Snapshot(folder / "In"), (Map{{"Sub", "<dir>"}, {"a.txt", "a"}}));
}

TEST_F(CopyMoveAsTest, MixedSelectionRefusesPatternsThatWouldCollide) {
    WriteTextFile(In("a.txt"), "a");
    WriteTextFile(In("b.txt"), "b");
    WriteTextFile(In("c.doc"), "c");
    bool collidingRefused = false;
    DialogRun run = Run({In("a.txt"), In("b.txt"), In("c.doc")}, false,
                        L"Copy selected objects as...", [&](HWND dialog) {
                            collidingRefused = Enter(dialog, L"n.*");
                            Enter(dialog, L"*.bak");
                        });
    EXPECT_TRUE(run.allMet);
    EXPECT_TRUE(collidingRefused);
    EXPECT_EQ(Snapshot(folder / "In"), (Map{{"Sub", "<dir>"},
                                            {"a.txt", "a"},
                                            {"b.txt", "b"},
                                            {"c.doc", "c"},
                                            {"a.bak", "a"},
                                            {"b.bak", "b"},
                                            {"c.bak", "c"}}));
}

TEST_F(CopyMoveAsTest, SameNameSelectionKeepsExtensions) {
    WriteTextFile(In("x.txt"), "x text");
    WriteTextFile(In("X.doc"), "x doc");
    bool keepNameRefused = false;
    DialogRun run = Run({In("x.txt"), In("X.doc")}, false,
                        L"Copy selected objects with name „x” as...", [&](HWND dialog) {
                            keepNameRefused = Enter(dialog, L"*.bak");
                            Enter(dialog, L"y.*");
                        });
    EXPECT_TRUE(run.allMet);
    EXPECT_TRUE(keepNameRefused);
    EXPECT_EQ(Snapshot(folder / "In"), (Map{{"Sub", "<dir>"},
                                            {"x.txt", "x text"},
                                            {"X.doc", "x doc"},
                                            {"y.txt", "x text"},
                                            {"y.doc", "x doc"}}));
}

TEST_F(CopyMoveAsTest, KeepBothInTheOwnFolderLeavesEverythingAsItWas) {
    WriteTextFile(In("a.txt"), "a");
    WriteTextFile(In("b.txt"), "b");
    const Map before = Snapshot(folder.Path());
    DialogRun run = Run({In("a.txt"), In("b.txt"), In("Sub")}, true, L"Move selected objects as...",
                        [](HWND dialog) { Enter(dialog, L"*.*"); },
                        {{"Confirm", IDYES}, {"Confirm", kAnswerYesToAll}, {"Error", IDOK}});
    EXPECT_TRUE(run.allMet);
    EXPECT_EQ(Unexpected(run.seen), std::vector<std::string>{});
    EXPECT_EQ(Snapshot(folder.Path()), before);
}

TEST_F(CopyMoveAsTest, CancelChangesNothingAndShowsNoProgress) {
    WriteTextFile(In("a.txt"), "a");
    const Map before = Snapshot(folder.Path());
    DialogRun run = Run({In("a.txt")}, true, L"Move „a.txt” as...", [](HWND dialog) {
        ::SetWindowTextW(::GetDlgItem(dialog, kFileNameBox), L"typed.txt");
        PressEscape(dialog);
    });
    EXPECT_TRUE(run.allMet);
    EXPECT_FALSE(run.windowShown);
    EXPECT_EQ(run.seen.size(), 1u);
    EXPECT_EQ(Snapshot(folder.Path()), before);
}

TEST_F(CopyMoveAsTest, MenuCommandsRunThroughTheExtension) {
    WriteTextFile(In("a.txt"), "a");
    WriteTextFile(In("b.txt"), "b");
    ExtensionDll dll;
    WindowRobot robot;
    robot.Then(WideToAnsi(L"Copy selected objects with extension „.txt” as..."), PressEscape)
        .Then(WideToAnsi(L"Move selected objects with extension „.txt” as..."),
              [](HWND dialog) { Enter(dialog, L"*.bak"); });
    robot.Start();
    for (unsigned command : {0u, 1u}) {
        EXPECT_EQ(SelectAndInvoke(dll, {In("a.txt"), In("b.txt")}, command), S_OK);
    }
    EXPECT_TRUE(robot.AllStepsMet());
    EXPECT_EQ(Unexpected(robot.Finish()), std::vector<std::string>{});
    EXPECT_EQ(Snapshot(folder / "In"), (Map{{"Sub", "<dir>"}, {"a.bak", "a"}, {"b.bak", "b"}}));
}

TEST(ProgressWindow, LooksAsDocumentedAndCountsUpToItsMaximum) {
    TFormProgress form;
    ASSERT_NE(form.Handle(), nullptr);
    form.SetCaption(L"Copy");
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(form.Handle(), GWL_STYLE));
    EXPECT_EQ(style & WS_SYSMENU, 0u);
    EXPECT_NE(style & WS_CAPTION, 0u);
    EXPECT_EQ(WindowText(form.Handle()), "Copy");
    EXPECT_NE(FindChildByText(form.Handle(), "Source object"), nullptr);
    EXPECT_NE(FindChildByText(form.Handle(), "Destination object"), nullptr);
    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    // 325 x 155 pixels at 96 dpi with the documented font, kept in dialog units.
    RECT units{0, 0, 217, 95};
    ::MapDialogRect(form.Handle(), &units);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);

    const std::wstring longPath = L"C:\\" + std::wstring(300, L'x');
    form.SetSource(longPath);
    EXPECT_EQ(form.Source(), longPath);
    form.RepaintWindow();
    EXPECT_EQ(WindowText(::GetDlgItem(form.Handle(), IDC_EDIT_ZDROJ)), WideToAnsi(longPath));
    form.SetMax(3);
    form.Step();
    form.Step();
    form.Step();
    form.Step();
    EXPECT_EQ(form.Position(), 3);
}

} // namespace
} // namespace tarvix::test
