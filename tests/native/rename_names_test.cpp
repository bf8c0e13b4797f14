#include "rename/ClipboardNames.h"
#include "rename/NameConflict.h"
#include "rename/SeriesSelection.h"
#include "tests/AsciiCase.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

using Names = std::vector<std::string>;

TEST(ClipboardLines, EveryKindOfBreakEndsALine) {
    EXPECT_EQ(SplitLines("x\r\ny\r\n"), (Names{"x", "y"}));
    EXPECT_EQ(SplitLines("x\r\n\r\ny"), (Names{"x", "", "y"}));
    EXPECT_EQ(SplitLines("a\rb\nc"), (Names{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (Names{"a", "", "b"})) << "LF CR is two breaks";
    EXPECT_EQ(SplitLines("a\r"), (Names{"a"}));
    EXPECT_EQ(SplitLines("\n"), (Names{""}));
    EXPECT_EQ(SplitLines("\r\n\r\n"), (Names{"", ""}));
    EXPECT_EQ(SplitLines(" lead and trail "), (Names{" lead and trail "}));
    EXPECT_EQ(SplitLines(""), Names{});
}

TEST(ClipboardLines, LinesThatWouldLeaveTheFolderAreNotNames) {
    EXPECT_TRUE(LinesAreBareNames({"Alpha", "", " b.c ", ".."}));
    for (const char* line : {"..\\x", "sub/x", "a:b", "D:x", "q\"", "<", ">", "a|b"}) {
        EXPECT_FALSE(LinesAreBareNames({"ok", line})) << line;
    }
}

TEST(ClipboardLines, EachLineGetsTheExtensionOfItsOldName) {
    EXPECT_EQ(NamesFromLines({"Alpha", "Beta", "x.jpg", ""}, {"a.jpg", "b.png", "a.jpg", "c.txt"}),
              (Names{"Alpha.jpg", "Beta.png", "x.jpg.jpg", ".txt"}));
}

TEST(NameConflicts, NewNameMeetsTheOldNameOfALaterObject) {
    EXPECT_TRUE(NamesConflict({"1.jpg", "2.jpg"}, {"2.jpg", "1.jpg"}, AsciiLower));
    EXPECT_TRUE(NamesConflict({"b.txt", "a.txt"}, {"a.txt", "b.txt"}, AsciiLower));
    EXPECT_TRUE(NamesConflict({"B.TXT", "c.txt"}, {"a.txt", "b.txt"}, AsciiLower));
    EXPECT_TRUE(NamesConflict({"x", "z", "a"}, {"y", "p", "Z"}, AsciiLower));
}

TEST(NameConflicts, OwnAndEarlierOldNamesAreFree) {
    EXPECT_FALSE(NamesConflict({"1.jpg", "2.jpg"}, {"1.jpg", "2.jpg"}, AsciiLower));
    EXPECT_FALSE(NamesConflict({"A.txt", "B.txt"}, {"a.txt", "b.txt"}, AsciiLower));
    EXPECT_FALSE(NamesConflict({"n", "a.txt"}, {"a.txt", "b.txt"}, AsciiLower));
    EXPECT_FALSE(NamesConflict({}, {}, AsciiLower));
    // The same old name twice (duplicates in the selection): only a later one counts.
    EXPECT_FALSE(NamesConflict({"q", "d"}, {"d", "d"}, AsciiLower));
    EXPECT_TRUE(NamesConflict({"d", "q"}, {"d", "d"}, AsciiLower));
}

TEST(NameConflicts, TwoEqualNewNamesConflictInAnyLetterCase) {
    EXPECT_TRUE(NamesConflict({"same.txt", "same.txt"}, {"a.txt", "b.txt"}, AsciiLower));
    EXPECT_TRUE(NamesConflict({"Same.txt", "x", "SAME.TXT"}, {"a.txt", "b", "c.txt"}, AsciiLower));
    EXPECT_TRUE(NamesConflict({".txt", ".txt"}, {"a.txt", "b.txt"}, AsciiLower))
        << "two empty clipboard lines";
}

TEST(SeriesSelection, OneFolderIgnoringCaseGivesBareNamesAndTheDefaultTemplate) {
    const auto series = StartSeries({"C:\\Photos\\a.jpg", "c:\\photos\\b.jpg"}, AsciiLower);
    ASSERT_TRUE(series.has_value());
    EXPECT_EQ(series->folder, "c:\\photos\\");
    EXPECT_EQ(series->defaultTemplate, "Photos?");
    EXPECT_EQ(series->oldNames, (Names{"a.jpg", "b.jpg"}));

    const auto root = StartSeries({"D:\\x.txt", "D:\\Sub"}, AsciiLower);
    ASSERT_TRUE(root.has_value());
    EXPECT_EQ(root->folder, "d:\\");
    EXPECT_EQ(root->defaultTemplate, "?");
    EXPECT_EQ(root->oldNames, (Names{"x.txt", "Sub"}));

    EXPECT_EQ(StartSeries({"D:\\Scans\\2002\\p.png"}, AsciiLower)->defaultTemplate, "2002?");
}

TEST(SeriesSelection, DifferentFoldersOrNoPathsGiveNoSeries) {
    EXPECT_FALSE(StartSeries({"C:\\A\\x.txt", "C:\\B\\y.txt"}, AsciiLower).has_value());
    EXPECT_FALSE(StartSeries({"C:\\A\\x.txt", "C:\\A\\Sub\\y.txt"}, AsciiLower).has_value());
    EXPECT_FALSE(StartSeries({}, AsciiLower).has_value());
}

} // namespace
} // namespace tarvix
