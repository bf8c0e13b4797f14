#include "fileops/CopyMoveRules.h"
#include "fileops/EntryKind.h"
#include "tests/AsciiCase.h"

#include <gtest/gtest.h>

#include <random>

namespace tarvix {
namespace {

constexpr CaseConversion kLower = AsciiLower;

TEST(CopyMoveSelection, ClassifiesAndTitlesTheSelection) {
    struct Row {
        std::vector<std::wstring> paths;
        SelectionKind kind;
        const wchar_t* titleArgument;
    };
    const Row rows[] = {
        {{L"C:\\Docs\\Report.TXT"}, skSingle, L"Report.TXT"},
        {{L"C:\\Docs\\Report.txt", L"C:\\Docs\\REPORT.doc"}, skSameName, L"report"},
        {{L"C:\\Docs\\a.TXT", L"C:\\Docs\\b.txt"}, skSameExt, L".txt"},
        {{L"C:\\Docs\\a", L"C:\\Docs\\b"}, skSameExt, L""},
        {{L"C:\\Docs\\a.txt", L"C:\\Docs\\b.doc"}, skMixed, L""},
        // Equal bare names in different folders do not share a name part.
        {{L"C:\\One\\a.txt", L"C:\\Two\\a.doc"}, skMixed, L""},
        {{L"C:\\One\\a.txt", L"C:\\Two\\a.txt"}, skSameExt, L".txt"},
        // A dot in a folder's name makes no extension.
        {{L"C:\\Old.Data\\x", L"C:\\Old.Data\\y"}, skSameExt, L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.paths.front());
        const SelectionKind kind = ClassifySelection(row.paths, kLower);
        EXPECT_EQ(kind, row.kind);
        EXPECT_EQ(TitleArgument(kind, row.paths.front(), kLower), row.titleArgument);
    }
    EXPECT_EQ(InitialFolder(L"C:\\Docs\\Report.TXT"), L"C:\\Docs");
    EXPECT_EQ(InitialFolder(L"C:\\Report.TXT"), L"C:");
}

TEST(CopyMoveSelection, PairSearchAgreesWithThePairwiseRule) {
    std::mt19937 random(7);
    const wchar_t* names[] = {L"a", L"B", L"b", L"c.", L"a.x", L"A.X", L"b.y", L".z"};
    for (int round = 0; round < 500; ++round) {
        std::vector<std::wstring> paths;
        const int count = static_cast<int>(random() % 5);
        for (int i = 0; i < count; ++i) {
            paths.push_back(std::wstring(random() % 2 ? L"C:\\p\\" : L"C:\\q\\") +
                            names[random() % 8]);
        }
        for (KeyPart part : {KeyPart::NamePart, KeyPart::Extension}) {
            bool pairwise = false;
            for (std::size_t i = 0; i < paths.size(); ++i) {
                for (std::size_t j = i + 1; j < paths.size(); ++j) {
                    pairwise =
                        pairwise || KeyOf(paths[i], part, kLower) == KeyOf(paths[j], part, kLower);
                }
            }
            EXPECT_EQ(AnyPairShares(paths, part, kLower), pairwise);
        }
    }
}

TEST(CopyMovePatterns, ReadsNamesAndPatternsAndRefusesTheRest) {
    const std::pair<const wchar_t*, PatternKind> accepted[] = {
        {L"Summary.doc", pkPlainName}, {L"summary", pkPlainName},
        {L"x.*", pkKeepExt},           {L".*", pkKeepExt},
        {L"*.bak", pkKeepName},        {L"*", pkKeepName},
        {L"*.*", pkKeepBoth},          {L"link.LNK", pkPlainName},
        {L"x.lnk2", pkPlainName},      {L"\u012a.\u012a", pkPlainName}, // low bytes of '*'
    };
    for (const auto& [name, kind] : accepted) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(ReadPattern(name).has_value());
        EXPECT_EQ(*ReadPattern(name), kind);
    }
    for (const wchar_t* refused : {L"a*.txt", L"**.txt", L"*.tar.gz", L"x.t*", L"a?b.txt", L"a|b",
                                   L"link.lnk", L"a\"b", L"a<b", L"a>b", L"a/b", L"*.lnk"}) {
        EXPECT_FALSE(ReadPattern(refused).has_value()) << refused;
    }
}

TEST(CopyMovePatterns, AcceptanceTableCellByCell) {
    // Rows: selection kinds; columns: plain, keep ext, keep name, keep both. For skMixed the
    // cells are given without and with a shared key.
    const bool table[4][4] = {
        {true, true, true, true},
        {false, true, false, true},
        {false, false, true, true},
        {false, true, true, true},
    };
    for (int selection = 0; selection < 4; ++selection) {
        for (int pattern = 0; pattern < 4; ++pattern) {
            std::vector<KeyPart> asked;
            const bool accepted =
                AcceptsPattern(static_cast<SelectionKind>(selection),
                               static_cast<PatternKind>(pattern), [&](KeyPart part) {
                                   asked.push_back(part);
                                   return false;
                               });
            EXPECT_EQ(accepted, table[selection][pattern]) << selection << "," << pattern;
            // The pair test runs only where the table needs it: over 100,000 objects it is
            // the one costly step of the close check.
            std::vector<KeyPart> needed;
            if (selection == skMixed && pattern == pkKeepExt) {
                needed = {KeyPart::Extension};
            } else if (selection == skMixed && pattern == pkKeepName) {
                needed = {KeyPart::NamePart};
            }
            EXPECT_EQ(asked, needed) << selection << "," << pattern;
        }
    }
    auto sharing = [](KeyPart shared) { return [shared](KeyPart part) { return part == shared; }; };
    EXPECT_FALSE(AcceptsPattern(skMixed, pkKeepExt, sharing(KeyPart::Extension)));
    EXPECT_TRUE(AcceptsPattern(skMixed, pkKeepExt, sharing(KeyPart::NamePart)));
    EXPECT_FALSE(AcceptsPattern(skMixed, pkKeepName, sharing(KeyPart::NamePart)));
    EXPECT_TRUE(AcceptsPattern(skMixed, pkKeepName, sharing(KeyPart::Extension)));
    EXPECT_TRUE(AcceptsPattern(skMixed, pkKeepBoth, sharing(KeyPart::NamePart)));
}

TEST(CopyMovePatterns, HeldPathMustLieInTheShownFolder) {
    EXPECT_TRUE(InShownFolder(L"D:\\Out\\x.txt", L"D:\\Out"));
    EXPECT_TRUE(InShownFolder(L"D:\\Out\\x.txt", L"D:\\Out\\"));
    EXPECT_TRUE(InShownFolder(L"C:\\x.txt", L"C:\\"));
    EXPECT_FALSE(InShownFolder(L"D:\\Out\\sub\\x.txt", L"D:\\Out"));
    EXPECT_FALSE(InShownFolder(L"D:\\out\\x.txt", L"D:\\Out"));
    EXPECT_FALSE(InShownFolder(L"E:\\x.txt", L"D:\\Out"));
}

TEST(CopyMoveDestinations, EveryPatternKind) {
    const std::wstring object = L"C:\\Docs\\Report.TXT";
    EXPECT_EQ(DestinationOf(pkPlainName, L"D:\\Out\\Summary.doc", object), L"D:\\Out\\Summary.doc");
    EXPECT_EQ(DestinationOf(pkKeepName, L"D:\\Out\\*.bak", object), L"D:\\Out\\Report.bak");
    EXPECT_EQ(DestinationOf(pkKeepName, L"D:\\Out\\*", object), L"D:\\Out\\Report");
    EXPECT_EQ(DestinationOf(pkKeepExt, L"D:\\Out\\x.*", object), L"D:\\Out\\x.TXT");
    EXPECT_EQ(DestinationOf(pkKeepBoth, L"D:\\Out\\*.*", object), L"D:\\Out\\Report.TXT");
    EXPECT_EQ(DestinationOf(pkKeepExt, L"D:\\Out\\.*", L"C:\\a.txt"), L"D:\\Out\\.txt");
    EXPECT_EQ(DestinationOf(pkKeepExt, L"D:\\Out\\n.*", L"C:\\Old.Data\\noext"), L"D:\\Out\\n");
    EXPECT_EQ(DestinationOf(pkKeepName, L"D:\\Out\\*.bak", L"C:\\Old.Data\\noext"),
              L"D:\\Out\\noext.bak");
    EXPECT_EQ(DestinationOf(pkKeepBoth, L"C:\\*.*", L"D:\\a\\b.c"), L"C:\\b.c");
}

// A new name the platform would take for a device or cut short is refused wherever the pattern
// makes it; a name an object keeps is its own.
TEST(CopyMoveDestinations, NewNamesMustBeNamesOfTheirOwn) {
    const std::vector<std::wstring> objects = {L"C:\\In\\a.txt", L"C:\\In\\b.doc",
                                               L"C:\\In\\noext"};
    const std::pair<const wchar_t*, PatternKind> refused[] = {
        {L"D:\\Out\\nul", pkPlainName},    {L"D:\\Out\\NUL.txt", pkPlainName},
        {L"D:\\Out\\con.*", pkKeepExt},    {L"D:\\Out\\Com1 .*", pkKeepExt},
        {L"D:\\Out\\draft.", pkPlainName}, {L"D:\\Out\\x .*", pkKeepExt},
        {L"D:\\Out\\*.", pkKeepName},      {L"D:\\Out\\*. ", pkKeepName},
    };
    for (const auto& [finalPath, pattern] : refused) {
        EXPECT_FALSE(NewNamesAllowed(pattern, finalPath, objects)) << finalPath;
    }
    EXPECT_TRUE(NewNamesAllowed(pkKeepBoth, L"D:\\Out\\*.*", objects));
    EXPECT_TRUE(NewNamesAllowed(pkKeepName, L"D:\\Out\\*.bak", objects));
    EXPECT_TRUE(NewNamesAllowed(pkKeepExt, L"D:\\Out\\.*", objects));
    // Odd names the objects have already are theirs to keep.
    EXPECT_TRUE(NewNamesAllowed(pkKeepBoth, L"D:\\Out\\*.*", {L"C:\\In\\draft.", L"C:\\In\\nul"}));
    EXPECT_FALSE(NewNamesAllowed(pkKeepName, L"D:\\Out\\*.bak", {L"C:\\In\\nul.txt"}));
}

TEST(CopyMoveIntoItself, ComparesWholePathComponents) {
    EXPECT_TRUE(IsSameOrBelow(L"c:\\work\\doc", L"c:\\work\\doc\\old"));
    EXPECT_TRUE(IsSameOrBelow(L"c:\\work\\doc", L"c:\\work\\doc\\a\\b\\c"));
    EXPECT_TRUE(IsSameOrBelow(L"c:\\work\\doc", L"c:\\work\\doc"));
    EXPECT_TRUE(IsSameOrBelow(L"c:\\work\\doc\\", L"c:\\work\\doc\\old"));
    EXPECT_TRUE(IsSameOrBelow(L"c:\\", L"c:\\anything"));
    EXPECT_FALSE(IsSameOrBelow(L"c:\\work\\doc", L"c:\\work\\docs\\doc"));
    EXPECT_FALSE(IsSameOrBelow(L"c:\\work\\doc", L"c:\\work\\doc.old"));
    EXPECT_FALSE(IsSameOrBelow(L"c:\\work\\doc", L"c:\\work"));
    EXPECT_FALSE(IsSameOrBelow(L"c:\\work\\doc", L"d:\\work\\doc\\old"));
    EXPECT_FALSE(IsSameOrBelow(L"", L"c:\\x"));
}

// Junctions and symbolic links name another place: copied and removed as links, never
// entered. Cloud placeholders (OneDrive's files on demand) are reparse points too, but
// ordinary folders and files.
TEST(FolderEntries, OnlyNameSurrogatesAreLinks) {
    constexpr std::uint32_t kFolder = 0x10;
    constexpr std::uint32_t kReparse = 0x400;
    constexpr std::uint32_t kJunction = 0xA0000003;
    constexpr std::uint32_t kSymbolicLink = 0xA000000C;
    constexpr std::uint32_t kCloud = 0x9000601A;
    EXPECT_EQ(ClassifyEntry(0x20, 0), EntryKind::File);
    EXPECT_EQ(ClassifyEntry(kFolder, 0), EntryKind::Folder);
    EXPECT_EQ(ClassifyEntry(kFolder | kReparse, kJunction), EntryKind::FolderLink);
    EXPECT_EQ(ClassifyEntry(kFolder | kReparse, kSymbolicLink), EntryKind::FolderLink);
    EXPECT_EQ(ClassifyEntry(kReparse, kSymbolicLink), EntryKind::FileLink);
    EXPECT_EQ(ClassifyEntry(kFolder | kReparse, kCloud), EntryKind::Folder);
    EXPECT_EQ(ClassifyEntry(kReparse, kCloud), EntryKind::File);
    EXPECT_EQ(ClassifyEntry(kFolder, kJunction), EntryKind::Folder)
        << "a tag without the attribute";
}

} // namespace
} // namespace tarvix
