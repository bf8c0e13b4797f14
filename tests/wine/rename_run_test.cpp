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

std::wstring Lowered(std::wstring text) {
    ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

class RenameRun : public ::testing::Test {
  protected:
    // Confirms the dialog on `paths` with `newTemplate`, then answers the replace questions
    // with the buttons in `answers` (by caption), collecting their texts.
    Texts Confirm(const Names& paths, const std::wstring& newTemplate, const Texts& answers = {}) {
        Texts questions;
        const DWORD thread = ::GetCurrentThreadId();
        const auto seen = RunSeriesCommand(dll, paths, [&](HWND dialog) {
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

// Names of any script, in a folder whose paths pass MAX_PATH, rename like any other.
TEST_F(RenameRun, ConfirmedSeriesRenamesFilesAndFoldersOfAnyNameInOrder) {
    const std::wstring series = folder / std::wstring(220, L's');
    MakeFolder(series);
    WriteTextFile(series + L"\\b.txt", "content of b");
    WriteTextFile(series + W("\\Ελληνικά.TXT"), "content of alpha");
    MakeFolder(series + L"\\Doc");
    WriteTextFile(series + L"\\Doc\\inner.txt", "inner");
    WriteTextFile(series + L"\\outside.txt", "not selected");

    const Names paths = PathsIn(series, {L"b.txt", W("Ελληνικά.TXT"), L"Doc"});
    EXPECT_TRUE(Confirm(paths, W("Část 日本 😀 ??")).empty());

    const Map expected = {
        {"Část 日本 😀 01.txt", "content of b"},
        {"Část 日本 😀 02.TXT", "content of alpha"},
        {"Část 日本 😀 03", "<dir>"},
        {"Část 日本 😀 03\\inner.txt", "inner"},
        {"outside.txt", "not selected"},
    };
    EXPECT_EQ(Snapshot(series), expected);
}

TEST_F(RenameRun, CancelAtAReplaceQuestionStopsWithTheEarlierOnesRenamed) {
    WriteTextFile(folder / L"a.txt", "content of a");
    WriteTextFile(folder / L"b.txt", "content of b");
    WriteTextFile(folder / L"c.txt", "content of c");
    WriteTextFile(folder / L"x2.txt", "taken name");

    const auto questions =
        Confirm(PathsIn(folder.Path(), {L"a.txt", L"b.txt", L"c.txt"}), L"x?", {"Cancel"});

    const std::wstring taken = Lowered(folder.Path() + L"\\") + L"x2.txt";
    EXPECT_EQ(questions, (Texts{WideToAnsi(FormatText(IDS_FILE_EXISTS, {taken}))}));
    const Map expected = {
        {"x1.txt", "content of a"},
        {"b.txt", "content of b"},
        {"c.txt", "content of c"},
        {"x2.txt", "taken name"},
    };
    EXPECT_EQ(Snapshot(folder.Path()), expected);
}

} // namespace
} // namespace tarvix::test
