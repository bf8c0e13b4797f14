#include "rename/ClipboardNames.h"
#include "rename/NameConflict.h"
#include "rename/SeriesSelection.h"
#include "tests/AsciiCase.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

using Names = std::vector<std::wstring>;

TEST(ClipboardLines, EveryKindOfBreakEndsALine) {
    EXPECT_EQ(SplitLines(L"x\r\ny\r\n"), (Names{L"x", L"y"}));
    EXPECT_EQ(SplitLines(L"x\r\n\r\ny"), (Names{L"x", L"", L"y"}));
    EXPECT_EQ(SplitLines(L"a\rb\nc"), (Names{L"a", L"b", L"c"}));
    EXPECT_EQ(SplitLines(L"a\n\rb"), (Names{L"a", L"", L"b"})) << "LF CR is two breaks";
    EXPECT_EQ(SplitLines(L"a\r"), (Names{L"a"}));
    EXPECT_EQ(SplitLines(L"\n"), (Names{L""}));
    EXPECT_EQ(SplitLines(L"\r\n\r\n"), (Names{L"", L""}));
    EXPECT_EQ(SplitLines(L" lead and trail "), (Names{L" lead and trail "}));
    EXPECT_EQ(SplitLines(L""), Names{});
    // Only the units CR and LF break, not units whose low byte is one of them.
    EXPECT_EQ(SplitLines(L"\u010a\u010d"), (Names{L"\u010a\u010d"}));
}

TEST(ClipboardLines, LinesThatWouldLeaveTheFolderAreNotNames) {
    EXPECT_TRUE(LinesAreBareNames({L"Alpha", L"", L" b.c ", L".."}));
    EXPECT_TRUE(LinesAreBareNames({L"\u015c\u013a\uff3c"})) << "units alike to \\ and :";
    for (const wchar_t* line : {L"..\\x", L"sub/x", L"a:b", L"D:x", L"q\"", L"<", L">", L"a|b"}) {
        EXPECT_FALSE(LinesAreBareNames({L"ok", line})) << line;
    }
}

// Clipboard lines and template results that would name a device or a name other programs cannot
// open are refused (the first such position); an object keeping its own name is not.
TEST(ClipboardLines, NamesThatAreNoNamesOfTheirOwnAreRefused) {
    EXPECT_EQ(FirstNameNotAllowed({L"a.txt", L"NUL.txt", L"CON"}, {L"x.txt", L"y.txt", L"z"}), 1u);
    EXPECT_EQ(FirstNameNotAllowed({L"ok.jpg", L"x."}, {L"a.jpg", L"b"}), 1u);
    EXPECT_EQ(FirstNameNotAllowed({L"COM1.jpg", L"COM2.jpg"}, {L"a.jpg", L"b.jpg"}), 0u);
    EXPECT_EQ(FirstNameNotAllowed({L"draft.", L"b2"}, {L"draft.", L"b"}), std::nullopt);
    EXPECT_EQ(FirstNameNotAllowed({}, {}), std::nullopt);
    EXPECT_EQ(FirstNameNotAllowed(NamesFromLines({L"AUX", L"fine"}, {L"a.txt", L"b.txt"}),
                                  {L"a.txt", L"b.txt"}),
              0u);
}

TEST(ClipboardLines, EachLineGetsTheExtensionOfItsOldName) {
    EXPECT_EQ(NamesFromLines({L"Alpha", L"Beta", L"x.jpg", L""},
                             {L"a.jpg", L"b.png", L"a.jpg", L"c.txt"}),
              (Names{L"Alpha.jpg", L"Beta.png", L"x.jpg.jpg", L".txt"}));
}

TEST(NameConflicts, NewNameMeetsTheOldNameOfALaterObject) {
    EXPECT_TRUE(NamesConflict({L"1.jpg", L"2.jpg"}, {L"2.jpg", L"1.jpg"}, AsciiLower));
    EXPECT_TRUE(NamesConflict({L"b.txt", L"a.txt"}, {L"a.txt", L"b.txt"}, AsciiLower));
    EXPECT_TRUE(NamesConflict({L"B.TXT", L"c.txt"}, {L"a.txt", L"b.txt"}, AsciiLower));
    EXPECT_TRUE(NamesConflict({L"x", L"z", L"a"}, {L"y", L"p", L"Z"}, AsciiLower));
}

TEST(NameConflicts, OwnAndEarlierOldNamesAreFree) {
    EXPECT_FALSE(NamesConflict({L"1.jpg", L"2.jpg"}, {L"1.jpg", L"2.jpg"}, AsciiLower));
    EXPECT_FALSE(NamesConflict({L"A.txt", L"B.txt"}, {L"a.txt", L"b.txt"}, AsciiLower));
    EXPECT_FALSE(NamesConflict({L"n", L"a.txt"}, {L"a.txt", L"b.txt"}, AsciiLower));
    EXPECT_FALSE(NamesConflict({}, {}, AsciiLower));
    // The same old name twice (duplicates in the selection): only a later one counts.
    EXPECT_FALSE(NamesConflict({L"q", L"d"}, {L"d", L"d"}, AsciiLower));
    EXPECT_TRUE(NamesConflict({L"d", L"q"}, {L"d", L"d"}, AsciiLower));
}

TEST(NameConflicts, TwoEqualNewNamesConflictInAnyLetterCase) {
    EXPECT_TRUE(NamesConflict({L"same.txt", L"same.txt"}, {L"a.txt", L"b.txt"}, AsciiLower));
    EXPECT_TRUE(
        NamesConflict({L"Same.txt", L"x", L"SAME.TXT"}, {L"a.txt", L"b", L"c.txt"}, AsciiLower));
    EXPECT_TRUE(NamesConflict({L".txt", L".txt"}, {L"a.txt", L"b.txt"}, AsciiLower))
        << "two empty clipboard lines";
}

TEST(SeriesSelection, OneFolderIgnoringCaseGivesBareNamesAndTheDefaultTemplate) {
    const auto series = StartSeries({L"C:\\Photos\\a.jpg", L"c:\\photos\\b.jpg"}, AsciiLower);
    ASSERT_TRUE(series.has_value());
    EXPECT_EQ(series->folder, L"c:\\photos\\");
    EXPECT_EQ(series->defaultTemplate, L"Photos?");
    EXPECT_EQ(series->oldNames, (Names{L"a.jpg", L"b.jpg"}));

    const auto root = StartSeries({L"D:\\x.txt", L"D:\\Sub"}, AsciiLower);
    ASSERT_TRUE(root.has_value());
    EXPECT_EQ(root->folder, L"d:\\");
    EXPECT_EQ(root->defaultTemplate, L"?");
    EXPECT_EQ(root->oldNames, (Names{L"x.txt", L"Sub"}));

    EXPECT_EQ(StartSeries({L"D:\\Scans\\2002\\p.png"}, AsciiLower)->defaultTemplate, L"2002?");
}

TEST(SeriesSelection, DifferentFoldersOrNoPathsGiveNoSeries) {
    EXPECT_FALSE(StartSeries({L"C:\\A\\x.txt", L"C:\\B\\y.txt"}, AsciiLower).has_value());
    EXPECT_FALSE(StartSeries({L"C:\\A\\x.txt", L"C:\\A\\Sub\\y.txt"}, AsciiLower).has_value());
    EXPECT_FALSE(StartSeries({}, AsciiLower).has_value());
}

} // namespace
} // namespace tarvix
