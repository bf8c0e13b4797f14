// A selected object whose name does not fit the ANSI code page reaches the commands with '?'
// in place of each such character, as DragQueryFileA gives it: every command fails on that
// object through its normal messages, goes on with the others, and touches nothing else
// (a file named like the question marks read as wildcards included).
#include "platform/CaseConversion.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "reliability_support.h"
#include "shell/Dispatch.h"
#include "shell/SelectionIntake.h"
#include "strings/RSUnit.h"
#include "support/DispatchFrame.h"
#include "support/DropData.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace tarvix::test {
namespace {

using WideMap = std::map<std::wstring, std::string>;

const std::wstring kJapanese = L"\u65e5\u672c.txt";

std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end()); // the test folder's path is plain ASCII
}

class ForeignName : public DispatchFrame {
  protected:
    // a.txt, the foreign name, ab.txt (which "??.txt" would match as a pattern) and c.txt;
    // all but ab.txt selected.
    void MakeSelection() {
        RemoveTree(folder / "In");
        MakeFolder(folder / "In");
        const std::wstring in = Widen(folder / "In");
        for (const std::wstring& name :
             {std::wstring(L"a.txt"), kJapanese, std::wstring(L"ab.txt"), std::wstring(L"c.txt")}) {
            WriteTextFile(in + L"\\" + name, "content of " + std::to_string(name.size()) + " " +
                                                 std::to_string(++files));
        }
        IDataObject* data = NewDropDataObject(
            WideDropFilesBlock({in + L"\\a.txt", in + L"\\" + kJapanese, in + L"\\c.txt"}), S_OK);
        ASSERT_EQ(ReadSelection(data, selection), S_OK);
        data->Release();
    }

    struct Run {
        WideMap before;
        WideMap after;
        std::vector<Box> boxes;
    };

    Run RunCommand(unsigned index) {
        MakeSelection();
        Run run;
        run.before = WideSnapshot(Widen(folder.Path()));
        EXPECT_EQ(Choose(index), S_OK);
        EXPECT_EQ(BusyCounter(), 0);
        EXPECT_EQ(OwnerWindow(), previousOwner);
        run.after = WideSnapshot(Widen(folder.Path()));
        run.boxes = user.TakeBoxes();
        // The foreign file and the one its converted name would match stay as they were.
        for (const std::wstring& name : {L"In\\" + kJapanese, std::wstring(L"In\\ab.txt")}) {
            EXPECT_EQ(run.after.count(name), 1u);
            if (run.after.count(name)) {
                EXPECT_EQ(run.after.at(name), run.before.at(name));
            }
        }
        // No content is lost anywhere.
        for (const auto& [path, content] : run.before) {
            bool found = false;
            for (const auto& [afterPath, afterContent] : run.after) {
                found = found || afterContent == content;
            }
            EXPECT_TRUE(found) << "content lost";
        }
        return run;
    }

    std::string Converted() const { return folder / "In\\??.txt"; }

    TempFolder folder{"names"};
    WalkUser user{::GetCurrentThreadId()};
    int files = 0;
};

TEST_F(ForeignName, ArrivesWithQuestionMarks) {
    MakeSelection();
    ASSERT_EQ(selection.Paths().size(), 3u);
    EXPECT_EQ(selection.Paths()[1], Converted());
}

TEST_F(ForeignName, CopyAndMoveAskAboutItAndGoOn) {
    for (unsigned index : {0u, 1u}) {
        SCOPED_TRACE(index);
        const Run run = RunCommand(index);
        EXPECT_TRUE(AnyBoxMentions(run.boxes, Converted())); // the missing-object question
        EXPECT_EQ(run.after.count(L"In\\c.bak"), 1u);
        EXPECT_EQ(run.after.count(L"In\\c.txt"), index == 0 ? 1u : 0u);
    }
}

TEST_F(ForeignName, RenameSeriesAsksAboutItAndGoesOn) {
    const Run run = RunCommand(2);
    // The run names its objects by the series folder, which is lower-cased.
    EXPECT_TRUE(AnyBoxMentions(run.boxes, LowerCase(Converted())));
    EXPECT_EQ(run.after.count(L"In\\c.txt"), 0u);
}

TEST_F(ForeignName, TimeStampReportsTheFailureOnceAtTheEnd) {
    const Run run = RunCommand(3);
    EXPECT_TRUE(AnyBoxMentions(run.boxes, LoadText(IDS_STAMP_FAILED)));
}

TEST_F(ForeignName, CaseAndClipboardLeaveItAlone) {
    for (unsigned index = 4; index <= 9; ++index) {
        SCOPED_TRACE(index);
        RunCommand(index);
    }
    const Run upper = RunCommand(7);
    EXPECT_EQ(upper.after.count(L"In\\C.TXT"), 1u);
}

} // namespace
} // namespace tarvix::test
