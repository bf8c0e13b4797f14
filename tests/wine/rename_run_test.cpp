// The confirmed rename series on real files: every object renamed in list order through the
// file engine, and a stop at a replace question that keeps what was renamed before it.
#include "platform/Text.h"
#include "rename/RenamSerIds.h"
#include "rename_dialog_driver.h"
#include "strings/RSUnit.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace tarvix::test {
namespace {

using Tree = std::map<std::string, std::string>;

std::string Lowered(std::string text) {
    ::CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

class RenameRun : public ::testing::Test {
  protected:
    Names PathsOf(const Names& names) const { return PathsIn(folder.Path(), names); }
    // Confirms the dialog with `newTemplate`, then answers the replace questions with the
    // buttons in `answers` (by caption), collecting their texts.
    std::vector<std::string> Confirm(const Names& names, const std::string& newTemplate,
                                     const Names& answers = {}) {
        std::vector<std::string> questions;
        const DWORD thread = ::GetCurrentThreadId();
        const auto seen = RunSeriesCommand(dll, PathsOf(names), [&](HWND dialog) {
            SetItemText(dialog, IDC_RENAME_TEMPLATE, newTemplate);
            PressButton(dialog, IDC_RENAME_OK);
            for (const std::string& answer : answers) {
                const HWND box = WaitForWindow("Confirm", thread);
                questions.push_back(box != nullptr ? MessageBoxText(box) : "<no box>");
                PressButtonByText(box, answer);
                WaitUntil([box] { return ::IsWindow(box) == FALSE; });
            }
        });
        // Besides the dialog the robot meets only the progress window; while the run copies
        // without taking messages, reading its caption may wait until it is gone.
        for (const SeenWindow& window : seen) {
            EXPECT_TRUE(window.caption == "Rename series" || window.caption == "Rename" ||
                        window.caption.empty())
                << window.caption << ": " << window.text;
        }
        return questions;
    }

    ExtensionDll dll;
    TempFolder folder{"Series"};
};

TEST_F(RenameRun, ConfirmedSeriesRenamesFilesAndFoldersInOrder) {
    WriteTextFile(folder / "b.txt", "content of b");
    WriteTextFile(folder / "a.TXT", "content of a");
    MakeFolder(folder / "Doc");
    WriteTextFile(folder / "Doc\\inner.txt", "inner");
    WriteTextFile(folder / "outside.txt", "not selected");

    EXPECT_TRUE(Confirm({"b.txt", "a.TXT", "Doc"}, "Part ??").empty());

    const Tree expected = {
        {"Part 01.txt", "content of b"}, {"Part 02.TXT", "content of a"}, {"Part 03", "<dir>"},
        {"Part 03\\inner.txt", "inner"}, {"outside.txt", "not selected"},
    };
    EXPECT_EQ(Snapshot(folder.Path()), expected);
}

TEST_F(RenameRun, CancelAtAReplaceQuestionStopsWithTheEarlierOnesRenamed) {
    WriteTextFile(folder / "a.txt", "content of a");
    WriteTextFile(folder / "b.txt", "content of b");
    WriteTextFile(folder / "c.txt", "content of c");
    WriteTextFile(folder / "x2.txt", "taken name");

    const auto questions = Confirm({"a.txt", "b.txt", "c.txt"}, "x?", {"Cancel"});

    const std::string taken = Lowered(folder.Path() + "\\") + "x2.txt";
    EXPECT_EQ(questions, (Names{FormatText(IDS_FILE_EXISTS, {taken})}));
    const Tree expected = {
        {"x1.txt", "content of a"},
        {"b.txt", "content of b"},
        {"c.txt", "content of c"},
        {"x2.txt", "taken name"},
    };
    EXPECT_EQ(Snapshot(folder.Path()), expected);
}

} // namespace
} // namespace tarvix::test
