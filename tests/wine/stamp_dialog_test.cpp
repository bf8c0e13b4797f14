// The time-stamp dialog driven as a user would: field checks, spins, Now, Enter and OK.
#include "platform/LocalTime.h"
#include "stamp/FormStamp.h"
#include "stamp_driver.h"
#include "common/ModalResult.h"

#include <gtest/gtest.h>

namespace tarvix::test {
namespace {

std::vector<std::string> Fields(HWND dialog) {
    std::vector<std::string> texts;
    for (int id : kStampEdits) {
        texts.push_back(ItemText(dialog, id));
    }
    return texts;
}

using Texts = std::vector<std::string>;

class StampDialog : public ::testing::Test {
  protected:
    void TearDown() override { OverrideLocalNow(std::nullopt); }
    // Shows the dialog while `act` drives it; `act` must end it.
    std::vector<SeenWindow> Show(const std::function<void(HWND)>& act) {
        return WithStampDialog(act, [&] { result = dialog.ShowModal(); });
    }
    TFormStamp dialog;
    int result = -1;
};

TEST_F(StampDialog, OpensOnTheStartValuesWithTheFocusOnOk) {
    Texts shown;
    std::vector<std::string> captions;
    bool focusOnOk = false;
    bool allChecked = true;
    const auto seen = Show([&](HWND window) {
        shown = Fields(window);
        for (int id : {IDC_STAMP_LABEL_FIRST, IDC_STAMP_LABEL_FIRST + 5, IDC_STAMP_TYPE_LABEL,
                       IDC_STAMP_CREATED, IDC_STAMP_MODIFIED, IDC_STAMP_ACCESSED, IDC_STAMP_NOW,
                       IDC_STAMP_OK, IDCANCEL}) {
            captions.push_back(ItemText(window, id));
        }
        for (int id : {IDC_STAMP_CREATED, IDC_STAMP_MODIFIED, IDC_STAMP_ACCESSED}) {
            allChecked = allChecked && ::IsDlgButtonChecked(window, id) == BST_CHECKED;
        }
        focusOnOk = FocusOf(window) == ::GetDlgItem(window, IDC_STAMP_OK);
        PressButton(window, IDC_STAMP_OK);
    });
    EXPECT_EQ(shown, (Texts{"1", "1", "2000", "0", "00", "00"}));
    EXPECT_EQ(captions, (Texts{"Day", "Second", "Stamp type", "Created", "Modified", "Accessed",
                               "Now", "OK", "Cancel"}));
    EXPECT_TRUE(allChecked);
    EXPECT_TRUE(focusOnOk);
    EXPECT_EQ(result, mrOk);
    const StampChoice& choice = dialog.Choice();
    EXPECT_EQ((std::vector<int>{choice.day, choice.month, choice.year, choice.hour, choice.minute,
                                choice.second}),
              (std::vector<int>{1, 1, 2000, 0, 0, 0}));
    EXPECT_TRUE(choice.created && choice.modified && choice.accessed);
    EXPECT_EQ(seen.size(), 1u) << "no message on a valid date";
}

TEST_F(StampDialog, LeavingAFieldNormalisesItAndEscCancels) {
    Texts afterTyping;
    Texts afterUnreadable;
    Show([&](HWND window) {
        TypeFields(window, {L"45", L"0", L"1975", L"-3", L"7", L"7"});
        afterTyping = Fields(window);
        // The year in full-width digits.
        TypeFields(window, {L"ab", nullptr, L"\xFF12\xFF10\xFF10\xFF10", nullptr, L"", L"99"});
        afterUnreadable = Fields(window);
        PressEscape(window);
    });
    EXPECT_EQ(afterTyping, (Texts{"31", "1", "1980", "0", "07", "06"}));
    EXPECT_EQ(afterUnreadable, (Texts{"31", "1", "1980", "0", "07", "58"}));
    EXPECT_EQ(result, mrCancel);
}

TEST_F(StampDialog, ArrowsWrapAndTheSecondStepsByTwo) {
    Texts shown;
    Show([&](HWND window) {
        TypeField(window, IDC_STAMP_EDIT_DAY, L"31");
        PressArrow(window, IDC_STAMP_EDIT_DAY, true);
        TypeField(window, IDC_STAMP_EDIT_YEAR, L"1980");
        PressArrow(window, IDC_STAMP_EDIT_YEAR, false);
        PressArrow(window, IDC_STAMP_EDIT_MONTH, false);
        PressArrow(window, IDC_STAMP_EDIT_HOUR, false);
        TypeField(window, IDC_STAMP_EDIT_MINUTE, L"8");
        PressArrow(window, IDC_STAMP_EDIT_MINUTE, true);
        PressArrow(window, IDC_STAMP_EDIT_SECOND, false); // 00 -> 58
        shown = Fields(window);
        PressArrow(window, IDC_STAMP_EDIT_SECOND, true); // 58 -> 00
        PressArrow(window, IDC_STAMP_EDIT_SECOND, true); // 00 -> 02
        shown.push_back(ItemText(window, IDC_STAMP_EDIT_SECOND));
        PressButton(window, IDC_STAMP_OK);
    });
    EXPECT_EQ(shown, (Texts{"1", "12", "2107", "23", "09", "58", "02"}));
    EXPECT_EQ(result, mrOk);
    const StampChoice& choice = dialog.Choice();
    EXPECT_EQ((std::vector<int>{choice.day, choice.month, choice.year, choice.hour, choice.minute,
                                choice.second}),
              (std::vector<int>{1, 12, 2107, 23, 9, 2}));
}

TEST_F(StampDialog, AnIllegalDateIsRefusedAndTheDialogStaysOpen) {
    std::string message;
    Texts afterBox;
    bool stillOpen = false;
    Show([&](HWND window) {
        TypeFields(window, {L"29", L"2", L"2100"});
        PressButton(window, IDC_STAMP_OK);
        HWND box = WaitForWindow("Information", ::GetWindowThreadProcessId(window, nullptr));
        if (box == nullptr) {
            PressEscape(window);
            return;
        }
        message = MessageBoxText(box);
        PressButton(box, IDOK);
        WaitUntil([&] { return !::IsWindow(box); });
        stillOpen = ::IsWindowVisible(window) != FALSE;
        afterBox = Fields(window);
        TypeField(window, IDC_STAMP_EDIT_YEAR, L"2096");
        PressButton(window, IDC_STAMP_OK);
    });
    EXPECT_EQ(message, "This date is illegal!");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(afterBox, (Texts{"29", "2", "2100", "0", "00", "00"}));
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(dialog.Choice().year, 2096);
}

TEST_F(StampDialog, EnterMovesTheFocusToOkAndASecondEnterPressesIt) {
    bool movedToOk = false;
    bool openAfterFirstEnter = false;
    std::string dayAfterEnter;
    Show([&](HWND window) {
        HWND day = ::GetDlgItem(window, IDC_STAMP_EDIT_DAY);
        HWND ok = ::GetDlgItem(window, IDC_STAMP_OK);
        ::SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(day), TRUE);
        ::SendMessageW(day, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"45"));
        PostKey(day, VK_RETURN);
        movedToOk = WaitUntil([&] { return FocusOf(window) == ok; }, 5000);
        dayAfterEnter = ItemText(window, IDC_STAMP_EDIT_DAY);
        openAfterFirstEnter = ::IsWindowVisible(window) != FALSE;
        PostKey(ok, VK_RETURN);
        if (!WaitUntil([&] { return !::IsWindow(window); }, 5000)) {
            PressEscape(window);
        }
    });
    EXPECT_TRUE(movedToOk);
    EXPECT_TRUE(openAfterFirstEnter);
    EXPECT_EQ(dayAfterEnter, "31");
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(dialog.Choice().day, 31);
}

TEST_F(StampDialog, NowTakesTheLocalClockAndKeepsTheCheckBoxes) {
    SYSTEMTIME now{};
    now.wYear = 2026;
    now.wMonth = 12;
    now.wDay = 8;
    now.wHour = 13;
    now.wMinute = 4;
    now.wSecond = 59;
    OverrideLocalNow(now);
    Texts shown;
    Texts beforeEpoch;
    Show([&](HWND window) {
        ::SendMessageW(::GetDlgItem(window, IDC_STAMP_CREATED), BM_CLICK, 0, 0);
        ::SendMessageW(::GetDlgItem(window, IDC_STAMP_NOW), BM_CLICK, 0, 0);
        shown = Fields(window);
        SYSTEMTIME early = now;
        early.wYear = 1975;
        OverrideLocalNow(early);
        ::SendMessageW(::GetDlgItem(window, IDC_STAMP_NOW), BM_CLICK, 0, 0);
        beforeEpoch = Fields(window);
        PressButton(window, IDC_STAMP_OK);
    });
    EXPECT_EQ(shown, (Texts{"8", "12", "2026", "13", "04", "58"}));
    EXPECT_EQ(beforeEpoch, (Texts{"8", "12", "1980", "13", "04", "58"}));
    EXPECT_EQ(result, mrOk);
    EXPECT_FALSE(dialog.Choice().created);
    EXPECT_TRUE(dialog.Choice().modified && dialog.Choice().accessed);
    EXPECT_EQ(dialog.Choice().year, 1980);
    EXPECT_EQ(dialog.Choice().second, 58);
}

} // namespace
} // namespace tarvix::test
