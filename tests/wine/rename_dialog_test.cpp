// The rename-series dialog through the DLL's command, driven as a user would drive it.
#include "platform/Faults.h"
#include "platform/Text.h"
#include "common/PathTerms.h"
#include "rename/RenamSerIds.h"
#include "rename_dialog_driver.h"
#include "support/ClipboardData.h"
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
    void SetTemplate(HWND dialog, const std::wstring& text) {
        SetItemText(dialog, IDC_RENAME_TEMPLATE, text);
    }
    Texts NewNames(HWND dialog) { return ListItems(dialog, IDC_RENAME_NEW); }

    ExtensionDll dll;
    TempFolder folder{"Scans"};
    const DWORD thread = ::GetCurrentThreadId();
};

TEST_F(RenameDialog, ObjectsInDifferentFoldersGiveTheErrorAndNoDialog) {
    WindowRobot robot;
    robot.Answer("Error", IDOK);
    robot.Start();
    EXPECT_EQ(SelectAndInvoke(dll, {folder / L"a.txt", folder / L"Sub\\b.txt"}, 2), S_OK);
    const auto seen = robot.Finish();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Error");
    EXPECT_EQ(seen[0].text, "Selected objects must be in the same folder.");

    WindowRobot quiet;
    quiet.Start();
    EXPECT_EQ(SelectAndInvoke(dll, {}, 2), S_OK);
    EXPECT_TRUE(quiet.Finish().empty()) << "an empty selection ends without a window";
}

TEST_F(RenameDialog, OpensWithTheDefaultTemplateAndTheNamesComputed) {
    std::string templateText, startText;
    Texts oldNames, newNames;
    bool focusInTemplate = false;
    bool stillOpenAfterEnter = false;
    const auto seen = WithDialog({L"IMG_1.JPG", L"notes.txt", L"README"}, [&](HWND dialog) {
        templateText = ItemText(dialog, IDC_RENAME_TEMPLATE);
        startText = ItemText(dialog, IDC_RENAME_START);
        oldNames = ListItems(dialog, IDC_RENAME_OLD);
        newNames = NewNames(dialog);
        focusInTemplate = FocusOf(dialog) == ::GetDlgItem(dialog, IDC_RENAME_TEMPLATE);
        // Enter is IDOK for the dialog manager: no button may take it.
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        stillOpenAfterEnter = ::IsWindowVisible(dialog) != FALSE;
    });
    ASSERT_EQ(seen.size(), 1u);
    const std::string folderName = WideToAnsi(BareName(folder.Path()));
    EXPECT_EQ(templateText, folderName + "?");
    EXPECT_EQ(startText, "1");
    EXPECT_EQ(oldNames, (Texts{"IMG_1.JPG", "notes.txt", "README"}));
    EXPECT_EQ(newNames, (Texts{folderName + "1.JPG", folderName + "2.txt", folderName + "3"}));
    EXPECT_TRUE(focusInTemplate);
    EXPECT_TRUE(stillOpenAfterEnter);
}

TEST_F(RenameDialog, ObjectsInADriveRootAreNumberedAlone) {
    Texts newNames;
    std::string templateText;
    RunSeriesCommand(dll, {L"Z:\\a.txt", L"Z:\\b.txt", L"z:\\C"}, [&](HWND dialog) {
        templateText = ItemText(dialog, IDC_RENAME_TEMPLATE);
        newNames = NewNames(dialog);
        PressEscape(dialog);
    });
    EXPECT_EQ(templateText, "?");
    EXPECT_EQ(newNames, (Texts{"1.txt", "2.txt", "3"}));
}

TEST_F(RenameDialog, RefusedTemplatesAreSetBackAndNamelessOnesKeepTheList) {
    std::string afterSlash, afterSecondRun, afterPlain;
    Texts namesAfterPlain, namesAfterStar;
    WithDialog({L"a.txt", L"b.txt"}, [&](HWND dialog) {
        SetTemplate(dialog, L"x?");
        TypeCharacter(dialog, IDC_RENAME_TEMPLATE, L'/');
        afterSlash = ItemText(dialog, IDC_RENAME_TEMPLATE);
        SetTemplate(dialog, L"x?y?");
        afterSecondRun = ItemText(dialog, IDC_RENAME_TEMPLATE);
        SetTemplate(dialog, L"abc");
        afterPlain = ItemText(dialog, IDC_RENAME_TEMPLATE);
        namesAfterPlain = NewNames(dialog);
        SetTemplate(dialog, L"*_??");
        namesAfterStar = NewNames(dialog);
    });
    EXPECT_EQ(afterSlash, "x?");
    EXPECT_EQ(afterSecondRun, "x?");
    EXPECT_EQ(afterPlain, "abc");
    EXPECT_EQ(namesAfterPlain, (Texts{"x1.txt", "x2.txt"}));
    EXPECT_EQ(namesAfterStar, (Texts{"a_01.txt", "b_02.txt"}));
}

TEST_F(RenameDialog, StartFieldKeepsANumberWithinItsLimits) {
    std::vector<std::pair<std::string, Texts>> shown;
    WithDialog({L"p.png", L"q.png"}, [&](HWND dialog) {
        SetTemplate(dialog, L"?");
        const auto record = [&] {
            shown.emplace_back(ItemText(dialog, IDC_RENAME_START), NewNames(dialog));
        };
        const auto type = [&](const wchar_t* text) {
            SetItemText(dialog, IDC_RENAME_START, text);
            record();
        };
        const auto press = [&](int key) {
            PressKey(dialog, IDC_RENAME_START, key);
            record();
        };
        type(L"7");
        type(L"");
        type(L"1a");
        type(L"40000");
        press(VK_UP);
        type(L"32800"); // the up-down is at its limit already
        type(L"-5");
        press(VK_DOWN);
        press(VK_UP);
    });
    const std::vector<std::pair<std::string, Texts>> expected = {
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
    // Only CF_TEXT, as an ANSI program leaves it: read in the code page.
    PutOnClipboard(std::string("\x84"
                               "Alpha\x94\r\nBeta\r\n"));
    Texts fromClipboard, oldAfterDown, newAfterDown, afterClear;
    bool templateEnabled = true;
    bool startEnabled = true;
    WithDialog({L"a.jpg", L"b.png"}, [&](HWND dialog) {
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
    const std::string folderName = WideToAnsi(BareName(folder.Path()));
    EXPECT_EQ(fromClipboard, (Texts{"\x84"
                                    "Alpha\x94.jpg",
                                    "Beta.png"}));
    EXPECT_FALSE(templateEnabled);
    EXPECT_FALSE(startEnabled);
    EXPECT_EQ(oldAfterDown, (Texts{"b.png", "a.jpg"}));
    EXPECT_EQ(newAfterDown, fromClipboard);
    EXPECT_EQ(afterClear, (Texts{folderName + "1.png", folderName + "2.jpg"}));
}

TEST_F(RenameDialog, AClipboardWithoutFittingTextLeavesTemplateMode) {
    const char kRowCount[] = "Clipboard does not contain proper count of rows!";
    const char kForbidden[] = "Clipboard contains a name that is not allowed!";
    // Null: an empty clipboard.
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"one line", kRowCount},
        {L"x\r\n\r\ny", kRowCount},
        {L"x\ny\nz\n", kRowCount},
        {L"..\\moved\r\nb", kForbidden},
        {L"x\r\nD:y", kForbidden},
        {L"NUL\r\nb", kForbidden},
        {L"x\r\nCom1", kForbidden},
        {L"aux \r\nb", kForbidden},
        {nullptr, "Clipboard does not contain text!"}};
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text != nullptr ? U8(text) : "empty clipboard");
        if (text != nullptr) {
            PutOnClipboard(std::wstring(text));
        } else {
            EmptyTheClipboard();
        }
        std::string message;
        bool checked = true;
        Texts newNames;
        WithDialog({L"a.jpg", L"b.jpg"}, [&](HWND dialog) {
            SetTemplate(dialog, L"n?");
            message = ClickAndAnswer(dialog, IDC_RENAME_FROM_CLIPBOARD, "Information", thread);
            checked = ::IsDlgButtonChecked(dialog, IDC_RENAME_FROM_CLIPBOARD) == BST_CHECKED;
            newNames = NewNames(dialog);
        });
        EXPECT_EQ(message, expected);
        EXPECT_FALSE(checked);
        EXPECT_EQ(newNames, (Texts{"n1.jpg", "n2.jpg"}));
    }
}

TEST_F(RenameDialog, AClipboardThatCannotBeOpenedIsReportedAndLeavesTemplateMode) {
    // In this program's own copy of the command, where failures can be planned.
    PutOnClipboard(std::wstring(L"x\r\ny"));
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
    RunRenameSeriesCommand(PathsOf({L"a.jpg", L"b.jpg"}));
    ExpectOnlyExpectedWindows(robot.Finish());
    EXPECT_EQ(message, "Cannot open clipboard");
    EXPECT_FALSE(checked);
}

TEST_F(RenameDialog, UpAndDownMoveTheSelectedOldNameAndRenumber) {
    Texts oldAfterUp, newAfterUp, oldAfterEdges, oldAfterDown;
    LRESULT selectedAfterUp = -1;
    WithDialog({L"a.jpg", L"b.jpg", L"c.jpg"}, [&](HWND dialog) {
        SetTemplate(dialog, L"*-?");
        SelectListItem(dialog, IDC_RENAME_OLD, 2);
        Click(dialog, IDC_RENAME_UP);
        oldAfterUp = ListItems(dialog, IDC_RENAME_OLD);
        newAfterUp = NewNames(dialog);
        selectedAfterUp = ::SendDlgItemMessageW(dialog, IDC_RENAME_OLD, LB_GETCURSEL, 0, 0);
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
    EXPECT_EQ(oldAfterUp, (Texts{"a.jpg", "c.jpg", "b.jpg"}));
    EXPECT_EQ(newAfterUp, (Texts{"a-1.jpg", "c-2.jpg", "b-3.jpg"}));
    EXPECT_EQ(selectedAfterUp, 1);
    EXPECT_EQ(oldAfterEdges, oldAfterUp);
    EXPECT_EQ(oldAfterDown, (Texts{"c.jpg", "a.jpg", "b.jpg"}));
}

// OK refuses a conflict, and a template whose names the platform would take for a device (COM1
// to COM9); the dialog stays open.
TEST_F(RenameDialog, OkReportsAConflictOrANameNotAllowedAndStaysOpen) {
    std::string laterOldName, equalNewNames, deviceName;
    Texts newNames;
    WithDialog({L"2.jpg", L"1.jpg"}, [&](HWND dialog) {
        SetTemplate(dialog, L"?");
        laterOldName = ClickAndAnswer(dialog, IDC_RENAME_OK, "Information", thread);
        newNames = NewNames(dialog);
        SetTemplate(dialog, L"COM?");
        deviceName = ClickAndAnswer(dialog, IDC_RENAME_OK, "Information", thread);
        SetTemplate(dialog, L"same");
        PutOnClipboard(std::wstring(L"Same\r\nsame"));
        Click(dialog, IDC_RENAME_FROM_CLIPBOARD);
        equalNewNames = ClickAndAnswer(dialog, IDC_RENAME_OK, "Information", thread);
    });
    EXPECT_EQ(laterOldName, "Conflict of names of some objects occurred!");
    EXPECT_EQ(newNames, (Texts{"1.jpg", "2.jpg"}));
    EXPECT_EQ(deviceName, "New name \x84"
                          "COM1.jpg\x94 is not allowed!");
    EXPECT_EQ(equalNewNames, "Conflict of names of some objects occurred!");
}

TEST_F(RenameDialog, CancelEscAndTheCloseBoxRenameNothing) {
    WriteTextFile(folder / L"a.txt", "alpha");
    WriteTextFile(folder / L"b.txt", "beta");
    const auto before = Snapshot(folder.Path());
    const std::function<void(HWND)> closings[] = {
        [](HWND dialog) { PressButton(dialog, IDCANCEL); },
        [](HWND dialog) { PressEscape(dialog); },
        [](HWND dialog) { ::PostMessageW(dialog, WM_CLOSE, 0, 0); },
    };
    for (const auto& close : closings) {
        const auto seen = RunSeriesCommand(dll, PathsOf({L"a.txt", L"b.txt"}), [&](HWND dialog) {
            SetTemplate(dialog, L"z?");
            close(dialog);
        });
        EXPECT_EQ(seen.size(), 1u) << "no progress window or box";
        EXPECT_EQ(Snapshot(folder.Path()), before);
    }
}

} // namespace
} // namespace tarvix::test
