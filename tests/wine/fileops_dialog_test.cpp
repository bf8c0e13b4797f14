// Copy as / Move as through the system's real save dialog, driven as a user would drive it.
#include "commands/CopyMoveAs.h"
#include "fileops/ProgressIds.h"
#include "fileops_support.h"
#include "platform/Faults.h"
#include "fileops/ReplaceQuestion.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"
#include "support/Extension.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <regex>
#include <thread>

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

// Names the platform would read as something else are refused like any other bad entry: quotes,
// which the dialog reads as delimiters; device names, which would swallow the file; and names
// ending in a dot or a space, which other programs cannot open.
TEST_F(CopyMoveAsTest, NamesThePlatformWouldReadOtherwiseAreRefused) {
    WriteTextFile(In("a.txt"), "a");
    const std::vector<std::wstring> refused = {L"x\"b.txt", L"\"x.txt\"", L"nul",       L"NUL.txt",
                                               L"con .txt", L"Com1.log",  L"lpt\u00b2", L"aux.*",
                                               L"draft.",   L"note ",     L"x.."};
    std::vector<std::wstring> stayedOpen;
    DialogRun run = Run({In("a.txt")}, true, L"Move „a.txt” as...", [&](HWND dialog) {
        for (const std::wstring& typed : refused) {
            if (Enter(dialog, typed)) {
                stayedOpen.push_back(typed);
            }
        }
        Enter(dialog, L"nullable.txt");
    });
    EXPECT_TRUE(run.allMet);
    EXPECT_EQ(stayedOpen, refused);
    EXPECT_EQ(Snapshot(folder / "In"), (Map{{"Sub", "<dir>"}, {"nullable.txt", "a"}}));
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

// The window as the controls themselves show it: the documented layout above, the line of how
// far the batch is and Cancel below, and a bar that runs from one step to the count + 1.
TEST(ProgressWindow, LooksAsDocumentedAndCountsUpToItsMaximum) {
    TFormProgress form;
    const HWND window = form.Handle();
    ASSERT_NE(window, nullptr);
    form.SetCaption(L"Copy");
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE));
    EXPECT_EQ(style & WS_SYSMENU, 0u);
    EXPECT_NE(style & WS_CAPTION, 0u);
    EXPECT_EQ(WindowText(window), "Copy");
    EXPECT_EQ(ItemText(window, IDC_GROUP_ZDROJ), "Source object");
    EXPECT_EQ(ItemText(window, IDC_GROUP_CIL), "Destination object");
    EXPECT_EQ(ItemText(window, IDCANCEL), "Cancel");
    // 325 pixels wide at 96 dpi with the documented font, in dialog units, so that it scales;
    // the bar ends 155 pixels down, where the documented window ends.
    RECT client{};
    ::GetClientRect(window, &client);
    RECT units{0, 0, 217, 125};
    ::MapDialogRect(window, &units);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);
    RECT bar{};
    ::GetWindowRect(::GetDlgItem(window, IDC_PROGRESS_BAR), &bar);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bar), 2);
    RECT barUnits{3, 79, 214, 91};
    ::MapDialogRect(window, &barUnits);
    EXPECT_EQ(bar.bottom, barUnits.bottom);

    const std::wstring longPath = L"C:\\" + std::wstring(300, L'x');
    form.Begin(3);
    form.ShowObject(0, 3, longPath, std::wstring(L"C:\\to"));
    EXPECT_EQ(ItemText(window, IDC_EDIT_ZDROJ), U8(longPath));
    EXPECT_EQ(ItemText(window, IDC_EDIT_CIL), "C:\\to");
    EXPECT_EQ(ItemText(window, IDC_PROGRESS_COUNT), "1 of 3");
    const HWND progress = ::GetDlgItem(window, IDC_PROGRESS_BAR);
    PBRANGE range{};
    ::SendMessageW(progress, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 4);
    EXPECT_EQ(::SendMessageW(progress, PBM_GETPOS, 0, 0), 1);
    for (int step = 0; step < 5; ++step) {
        form.Step();
    }
    form.Finish();
    EXPECT_EQ(::SendMessageW(progress, PBM_GETPOS, 0, 0), 4) << "held at its maximum";
    // A large file shows its bytes and a bar of its own.
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, IDC_FILE_BAR)));
    form.ShowObject(2, 3, L"C:\\big.iso", std::nullopt);
    EXPECT_TRUE(WaitUntil([&] {
        form.Tick(1536ull * 1024 * 1024, 3ull * 1024 * 1024 * 1024);
        return ItemText(window, IDC_PROGRESS_BYTES) == "1.50 GB of 3.00 GB";
    }));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(window, IDC_FILE_BAR)));
    EXPECT_EQ(::SendMessageW(::GetDlgItem(window, IDC_FILE_BAR), PBM_GETPOS, 0, 0), 500);
}

// A move of 40 files of 4 MB to another volume, stopped by the user with Cancel, Esc or Alt+F4
// in the progress window while the batch runs: every file is wholly moved or untouched, no
// temporary file is left, no message follows, and the bar stays within its range. The copy of the
// fifth file waits until the user has acted, so the press lands while the batch runs.
TEST(ProgressWindow, CancelEscAndAltF4StopAMoveBetweenObjects) {
    for (const char* press : {"Cancel", "Esc", "Alt+F4"}) {
        SCOPED_TRACE(press);
        TempFolder in("in");
        TempFolder out("out", Volume::Second);
        std::vector<std::wstring> objects;
        for (int i = 0; i < 40; ++i) {
            const std::string name = "f" + std::to_string(100 + i) + ".bin";
            WriteTextFile(in / name, std::string(4 * 1024 * 1024, static_cast<char>('a' + i % 26)));
            objects.push_back(in / name);
        }
        const Map before = Snapshot(in.Path());
        HANDLE released = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::atomic<bool> held{false};
        PlanPause(FaultCall::FileCopy, 4, [&] {
            held = true;
            // The user's press must meet the window's next look at its queue: the copy waits
            // for it, and for one pacing interval.
            const ULONGLONG start = ::GetTickCount64();
            MSG message;
            while (::WaitForSingleObject(released, 0) != WAIT_OBJECT_0 ||
                   ::GetTickCount64() - start < 150) {
                ::MsgWaitForMultipleObjects(1, &released, FALSE, 20, QS_SENDMESSAGE);
                ::PeekMessageW(&message, nullptr, WM_APP + 0x3F18, WM_APP + 0x3F18, PM_NOREMOVE);
            }
        });
        std::string counter;
        std::thread user([&] {
            const HWND window = WaitForWindow("Move", 0);
            if (window == nullptr || !WaitUntil([&] { return held.load(); })) {
                ::SetEvent(released);
                return;
            }
            counter = ItemText(window, IDC_PROGRESS_COUNT);
            const HWND button = ::GetDlgItem(window, IDCANCEL);
            if (press == std::string("Esc")) {
                ::PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 0);
            } else if (press == std::string("Alt+F4")) {
                ::PostMessageW(button, WM_SYSKEYDOWN, VK_F4, 1 << 29); // the Alt key is down
            } else {
                PressButton(window, IDCANCEL);
            }
            ::SetEvent(released);
        });
        BoxAnswerer boxes(::GetCurrentThreadId(), {"Move"},
                          [](const std::string&, const std::string&) { return IDOK; });
        {
            TFormProgress form;
            form.SetCaption(L"Move");
            RunCopyMoveBatch(form, objects, out / "*.*", pkKeepBoth, true);
            const HWND bar = ::GetDlgItem(form.Handle(), IDC_PROGRESS_BAR);
            EXPECT_EQ(::SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 41);
            EXPECT_LE(::SendMessageW(bar, PBM_GETPOS, 0, 0), 41);
        }
        user.join();
        ClearFaults();
        ::CloseHandle(released);
        EXPECT_TRUE(boxes.TakeAnswered().empty()) << "no message after a stop";
        EXPECT_TRUE(std::regex_match(counter, std::regex("[1-5] of 40"))) << counter;
        const Map left = Snapshot(in.Path());
        const Map moved = Snapshot(out.Path());
        for (const auto& [name, content] : before) {
            const bool stayed = left.count(name) && left.at(name) == content;
            const bool arrived = moved.count(name) && moved.at(name) == content;
            EXPECT_TRUE(stayed != arrived) << name;
        }
        EXPECT_EQ(left.size() + moved.size(), before.size()) << "a temporary file was left";
        EXPECT_GE(moved.size(), 4u);
        EXPECT_LE(moved.size(), 5u);
    }
}

} // namespace
} // namespace tarvix::test
