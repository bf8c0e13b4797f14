// The rename-series dialog through the DLL's command, driven as a user would drive it.
#include "platform/Faults.h"
#include "common/PathTerms.h"
#include "rename/RenamSerIds.h"
#include "rename_dialog_driver.h"
#include "commands/Commands.h"
#include "shell/Server.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace tarvix::test {
namespace {

class RenameDialog : public ::testing::Test {
  protected:
    void TearDown() override { ClearFaults(); }
    Names PathsOf(const Names& names) const { return PathsIn(folder.Path(), names); }
    // Opens the dialog on `names` in the test folder, runs `script`, then presses Cancel.
    std::vector<SeenWindow> WithDialog(const Names& names,
                                       const std::function<void(HWND dialog)>& script) {
        return RunSeriesCommand(dll, PathsOf(names), [&](HWND dialog) {
            script(dialog);
            PressButton(dialog, IDCANCEL);
        });
    }
    void SetTemplate(HWND dialog, const std::string& text) {
        SetItemText(dialog, IDC_RENAME_TEMPLATE, text);
    }
    Names NewNames(HWND dialog) { return ListItems(dialog, IDC_RENAME_NEW); }

    ExtensionDll dll;
    TempFolder folder{"Scans"};
    const DWORD thread = ::GetCurrentThreadId();
};

TEST_F(RenameDialog, ObjectsInDifferentFoldersGiveTheErrorAndNoDialog) {
    WindowRobot robot;
    robot.Answer("Error", IDOK);
    robot.Start();
    IContextMenu* menu = SelectWith(dll, {folder / "a.txt", folder / "Sub\\b.txt"});
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Invoke(menu, 2), S_OK);
    menu->Release();
    const auto seen = robot.Finish();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Error");
    EXPECT_EQ(seen[0].text, "Selected objects must be in the same folder.");

    WindowRobot quiet;
    quiet.Start();
    IContextMenu* empty = SelectWith(dll, {});
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(Invoke(empty, 2), S_OK);
    empty->Release();
    EXPECT_TRUE(quiet.Finish().empty()) << "an empty selection ends without a window";
}

TEST_F(RenameDialog, OpensWithTheDefaultTemplateAndTheNamesComputed) {
    std::string templateText, startText;
    Names oldNames, newNames;
    bool focusInTemplate = false;
    bool stillOpenAfterEnter = false;
    const auto seen = WithDialog({"IMG_1.JPG", "notes.txt", "README"}, [&](HWND dialog) {
        templateText = ItemText(dialog, IDC_RENAME_TEMPLATE);
        startText = ItemText(dialog, IDC_RENAME_START);
        oldNames = ListItems(dialog, IDC_RENAME_OLD);
        newNames = NewNames(dialog);
        focusInTemplate = FocusOf(thread) == ::GetDlgItem(dialog, IDC_RENAME_TEMPLATE);
        // Enter is IDOK for the dialog manager: no button may take it.
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        stillOpenAfterEnter = ::IsWindowVisible(dialog) != FALSE;
    });
    ASSERT_EQ(seen.size(), 1u);
    const std::string folderName = BareName(folder.Path());
    EXPECT_EQ(templateText, folderName + "?");
    EXPECT_EQ(startText, "1");
    EXPECT_EQ(oldNames, (Names{"IMG_1.JPG", "notes.txt", "README"}));
    EXPECT_EQ(newNames, (Names{folderName + "1.JPG", folderName + "2.txt", folderName + "3"}));
    EXPECT_TRUE(focusInTemplate);
    EXPECT_TRUE(stillOpenAfterEnter);
}

TEST_F(RenameDialog, ObjectsInADriveRootAreNumberedAlone) {
    Names newNames;
    std::string templateText;
    RunSeriesCommand(dll, {"Z:\\a.txt", "Z:\\b.txt", "z:\\C"}, [&](HWND dialog) {
        templateText = ItemText(dialog, IDC_RENAME_TEMPLATE);
        newNames = NewNames(dialog);
        PressEscape(dialog);
    });
    EXPECT_EQ(templateText, "?");
    EXPECT_EQ(newNames, (Names{"1.txt", "2.txt", "3"}));
}

TEST_F(RenameDialog, RefusedTemplatesAreSetBackAndNamelessOnesKeepTheList) {
    std::string afterSlash, afterSecondRun, afterPlain;
    Names namesAfterPlain, namesAfterStar;
    WithDialog({"a.txt", "b.txt"}, [&](HWND dialog) {
        SetTemplate(dialog, "x?");
        TypeCharacter(dialog, IDC_RENAME_TEMPLATE, '/');
        afterSlash = ItemText(dialog, IDC_RENAME_TEMPLATE);
        SetTemplate(dialog, "x?y?");
        afterSecondRun = ItemText(dialog, IDC_RENAME_TEMPLATE);
        SetTemplate(dialog, "abc");
        afterPlain = ItemText(dialog, IDC_RENAME_TEMPLATE);
        namesAfterPlain = NewNames(dialog);
        SetTemplate(dialog, "*_??");
        namesAfterStar = NewNames(dialog);
    });
    EXPECT_EQ(afterSlash, "x?");
    EXPECT_EQ(afterSecondRun, "x?");
    EXPECT_EQ(afterPlain, "abc");
    EXPECT_EQ(namesAfterPlain, (Names{"x1.txt", "x2.txt"}));
    EXPECT_EQ(namesAfterStar, (Names{"a_01.txt", "b_02.txt"}));
}

TEST_F(RenameDialog, StartFieldKeepsANumberWithinItsLimits) {
    std::vector<std::pair<std::string, Names>> shown;
    WithDialog({"p.png", "q.png"}, [&](HWND dialog) {
        SetTemplate(dialog, "?");
        const auto record = [&] {
            shown.emplace_back(ItemText(dialog, IDC_RENAME_START), NewNames(dialog));
        };
        SetItemText(dialog, IDC_RENAME_START, "7");
        record();
        SetItemText(dialog, IDC_RENAME_START, "");
        record();
        SetItemText(dialog, IDC_RENAME_START, "1a");
        record();
        SetItemText(dialog, IDC_RENAME_START, "40000");
        record();
        PressKey(dialog, IDC_RENAME_START, VK_UP);
        record();
        SetItemText(dialog, IDC_RENAME_START, "32800"); // the up-down is at its limit already
        record();
        SetItemText(dialog, IDC_RENAME_START, "-5");
        record();
        PressKey(dialog, IDC_RENAME_START, VK_DOWN);
        record();
        PressKey(dialog, IDC_RENAME_START, VK_UP);
        record();
    });
    const std::vector<std::pair<std::string, Names>> expected = {
        {"7", {"7.png", "8.png"}},
        {"7", {"7.png", "8.png"}},
        {"7", {"7.png", "8.png"}},
        {"32767", {"32767.png", "32768.png"}},
        {"32767", {"32767.png", "32768.png"}},
        {"32767", {"32767.png", "32768.png"}},
        {"0", {"0.png", "1.png"}},
        {"0", {"0.png", "1.png"}},
        {"1", {"1.png", "2.png"}},
    };
    EXPECT_EQ(shown, expected);
}

TEST_F(RenameDialog, ClipboardNamesReplaceTheComputedOnesWhileTheBoxIsChecked) {
    PutClipboardText("Alpha\r\nBeta\r\n");
    Names fromClipboard, oldAfterDown, newAfterDown, afterClear;
    bool templateEnabled = true;
    bool startEnabled = true;
    WithDialog({"a.jpg", "b.png"}, [&](HWND dialog) {
        Click(dialog, IDC_RENAME_FROM_CLIPBOARD);
        fromClipboard = NewNames(dialog);
        templateEnabled = ItemEnabled(dialog, IDC_RENAME_TEMPLATE);
        startEnabled = ItemEnabled(dialog, IDC_RENAME_START_UPDOWN);
        // Moving an old name pairs it with the other clipboard name.
        SelectListItem(dialog, IDC_RENAME_OLD, 0);
        Click(dialog, IDC_RENAME_DOWN);
        oldAfterDown = ListItems(dialog, IDC_RENAME_OLD);
        newAfterDown = NewNames(dialog);
        Click(dialog, IDC_RENAME_FROM_CLIPBOARD);
        afterClear = NewNames(dialog);
    });
    const std::string folderName = BareName(folder.Path());
    EXPECT_EQ(fromClipboard, (Names{"Alpha.jpg", "Beta.png"}));
    EXPECT_FALSE(templateEnabled);
    EXPECT_FALSE(startEnabled);
    EXPECT_EQ(oldAfterDown, (Names{"b.png", "a.jpg"}));
    EXPECT_EQ(newAfterDown, fromClipboard);
    EXPECT_EQ(afterClear, (Names{folderName + "1.png", folderName + "2.jpg"}));
}

TEST_F(RenameDialog, AClipboardWithoutFittingTextLeavesTemplateMode) {
    struct Outcome {
        std::string message;
        bool checked = true;
        Names newNames;
    };
    const auto tryClipboard = [&](const std::function<void()> prepare) {
        prepare();
        Outcome outcome;
        WithDialog({"a.jpg", "b.jpg"}, [&](HWND dialog) {
            SetTemplate(dialog, "n?");
            outcome.message =
                ClickAndAnswer(dialog, IDC_RENAME_FROM_CLIPBOARD, "Information", thread);
            outcome.checked =
                ::IsDlgButtonChecked(dialog, IDC_RENAME_FROM_CLIPBOARD) == BST_CHECKED;
            outcome.newNames = NewNames(dialog);
        });
        return outcome;
    };
    for (const char* text : {"one line", "x\r\n\r\ny", "x\ny\nz\n"}) {
        const Outcome outcome = tryClipboard([text] { PutClipboardText(text); });
        EXPECT_EQ(outcome.message, "Clipboard does not contain proper count of rows!") << text;
        EXPECT_FALSE(outcome.checked);
        EXPECT_EQ(outcome.newNames, (Names{"n1.jpg", "n2.jpg"}));
    }
    for (const char* text : {"..\\moved\r\nb", "x\r\nD:y"}) {
        const Outcome outcome = tryClipboard([text] { PutClipboardText(text); });
        EXPECT_EQ(outcome.message,
                  "Clipboard contains a name with a character that is not allowed!")
            << text;
        EXPECT_FALSE(outcome.checked);
        EXPECT_EQ(outcome.newNames, (Names{"n1.jpg", "n2.jpg"}));
    }
    const Outcome empty = tryClipboard(EmptyTheClipboard);
    EXPECT_EQ(empty.message, "Clipboard does not contain text!");
    EXPECT_FALSE(empty.checked);
    EXPECT_EQ(empty.newNames, (Names{"n1.jpg", "n2.jpg"}));
}

TEST_F(RenameDialog, AClipboardThatCannotBeOpenedIsReportedAndLeavesTemplateMode) {
    // In this program's own copy of the command, where failures can be planned.
    PutClipboardText("x\r\ny");
    PlanFault(FaultCall::ClipboardOpen, 0);
    std::string message;
    bool checked = true;
    WindowRobot robot;
    robot.Then("Rename series", [&](HWND dialog) {
        message = ClickAndAnswer(dialog, IDC_RENAME_FROM_CLIPBOARD, "Error", thread);
        checked = ::IsDlgButtonChecked(dialog, IDC_RENAME_FROM_CLIPBOARD) == BST_CHECKED;
        PressButton(dialog, IDCANCEL);
    });
    robot.Start();
    RunRenameSeriesCommand(PathsOf({"a.jpg", "b.jpg"}));
    robot.Finish();
    EXPECT_EQ(message, "Cannot open clipboard");
    EXPECT_FALSE(checked);
}

TEST_F(RenameDialog, UpAndDownMoveTheSelectedOldNameAndRenumber) {
    Names oldAfterUp, newAfterUp, oldAfterEdges, oldAfterDown;
    LRESULT selectedAfterUp = -1;
    WithDialog({"a.jpg", "b.jpg", "c.jpg"}, [&](HWND dialog) {
        SetTemplate(dialog, "*-?");
        SelectListItem(dialog, IDC_RENAME_OLD, 2);
        Click(dialog, IDC_RENAME_UP);
        oldAfterUp = ListItems(dialog, IDC_RENAME_OLD);
        newAfterUp = NewNames(dialog);
        selectedAfterUp = ::SendDlgItemMessageA(dialog, IDC_RENAME_OLD, LB_GETCURSEL, 0, 0);
        SelectListItem(dialog, IDC_RENAME_OLD, 0);
        Click(dialog, IDC_RENAME_UP);
        SelectListItem(dialog, IDC_RENAME_OLD, 2);
        Click(dialog, IDC_RENAME_DOWN);
        SelectListItem(dialog, IDC_RENAME_OLD, -1);
        Click(dialog, IDC_RENAME_UP);
        Click(dialog, IDC_RENAME_DOWN);
        oldAfterEdges = ListItems(dialog, IDC_RENAME_OLD);
        SelectListItem(dialog, IDC_RENAME_OLD, 0);
        Click(dialog, IDC_RENAME_DOWN);
        oldAfterDown = ListItems(dialog, IDC_RENAME_OLD);
    });
    EXPECT_EQ(oldAfterUp, (Names{"a.jpg", "c.jpg", "b.jpg"}));
    EXPECT_EQ(newAfterUp, (Names{"a-1.jpg", "c-2.jpg", "b-3.jpg"}));
    EXPECT_EQ(selectedAfterUp, 1);
    EXPECT_EQ(oldAfterEdges, oldAfterUp);
    EXPECT_EQ(oldAfterDown, (Names{"c.jpg", "a.jpg", "b.jpg"}));
}

TEST_F(RenameDialog, OkReportsAConflictAndStaysOpen) {
    std::string laterOldName, equalNewNames;
    Names newNames;
    WithDialog({"2.jpg", "1.jpg"}, [&](HWND dialog) {
        SetTemplate(dialog, "?");
        laterOldName = ClickAndAnswer(dialog, IDC_RENAME_OK, "Information", thread);
        newNames = NewNames(dialog);
        SetTemplate(dialog, "same");
        PutClipboardText("Same\r\nsame");
        Click(dialog, IDC_RENAME_FROM_CLIPBOARD);
        equalNewNames = ClickAndAnswer(dialog, IDC_RENAME_OK, "Information", thread);
    });
    EXPECT_EQ(laterOldName, "Conflict of names of some objects occurred!");
    EXPECT_EQ(newNames, (Names{"1.jpg", "2.jpg"}));
    EXPECT_EQ(equalNewNames, "Conflict of names of some objects occurred!");
}

TEST_F(RenameDialog, CancelEscAndTheCloseBoxRenameNothing) {
    WriteTextFile(folder / "a.txt", "alpha");
    WriteTextFile(folder / "b.txt", "beta");
    const auto before = Snapshot(folder.Path());
    const std::function<void(HWND)> closings[] = {
        [](HWND dialog) { PressButton(dialog, IDCANCEL); },
        [](HWND dialog) { PressEscape(dialog); },
        [](HWND dialog) { ::PostMessageA(dialog, WM_CLOSE, 0, 0); },
    };
    for (const auto& close : closings) {
        const auto seen = RunSeriesCommand(dll, PathsOf({"a.txt", "b.txt"}), [&](HWND dialog) {
            SetTemplate(dialog, "z?");
            close(dialog);
        });
        EXPECT_EQ(seen.size(), 1u) << "no progress window or box";
        EXPECT_EQ(Snapshot(folder.Path()), before);
    }
}

} // namespace
} // namespace tarvix::test
