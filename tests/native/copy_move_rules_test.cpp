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
        std::vector<std::string> paths;
        SelectionKind kind;
        const char* titleArgument;
    };
    const Row rows[] = {
        {{"C:\\Docs\\Report.TXT"}, skSingle, "Report.TXT"},
        {{"C:\\Docs\\Report.txt", "C:\\Docs\\REPORT.doc"}, skSameName, "report"},
        {{"C:\\Docs\\a.TXT", "C:\\Docs\\b.txt"}, skSameExt, ".txt"},
        {{"C:\\Docs\\a", "C:\\Docs\\b"}, skSameExt, ""},
        {{"C:\\Docs\\a.txt", "C:\\Docs\\b.doc"}, skMixed, ""},
        // Equal bare names in different folders do not share a name part.
        {{"C:\\One\\a.txt", "C:\\Two\\a.doc"}, skMixed, ""},
        {{"C:\\One\\a.txt", "C:\\Two\\a.txt"}, skSameExt, ".txt"},
        // A dot in a folder's name makes no extension.
        {{"C:\\Old.Data\\x", "C:\\Old.Data\\y"}, skSameExt, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.paths.front());
        const SelectionKind kind = ClassifySelection(row.paths, kLower);
        EXPECT_EQ(kind, row.kind);
        EXPECT_EQ(TitleArgument(kind, row.paths.front(), kLower), row.titleArgument);
    }
    EXPECT_EQ(InitialFolder("C:\\Docs\\Report.TXT"), "C:\\Docs");
    EXPECT_EQ(InitialFolder("C:\\Report.TXT"), "C:");
}

TEST(CopyMoveSelection, PairSearchAgreesWithThePairwiseRule) {
    std::mt19937 random(7);
    const char* names[] = {"a", "B", "b", "c.", "a.x", "A.X", "b.y", ".z"};
    for (int round = 0; round < 500; ++round) {
        std::vector<std::string> paths;
        const int count = static_cast<int>(random() % 5);
        for (int i = 0; i < count; ++i) {
            paths.push_back(std::string(random() % 2 ? "C:\\p\\" : "C:\\q\\") +
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
    const std::pair<const char*, PatternKind> accepted[] = {
        {"Summary.doc", pkPlainName}, {"summary", pkPlainName},
        {"x.*", pkKeepExt},           {".*", pkKeepExt},
        {"*.bak", pkKeepName},        {"*", pkKeepName},
        {"*.*", pkKeepBoth},          {"link.LNK", pkPlainName},
        {"x.lnk2", pkPlainName},
    };
    for (const auto& [name, kind] : accepted) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(ReadPattern(name).has_value());
        EXPECT_EQ(*ReadPattern(name), kind);
    }
    for (const char* refused : {"a*.txt", "**.txt", "*.tar.gz", "x.t*", "a?b.txt", "a|b",
                                "link.lnk", "a\"b", "a<b", "a>b", "a/b", "*.lnk"}) {
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
    EXPECT_TRUE(InShownFolder("D:\\Out\\x.txt", "D:\\Out"));
    EXPECT_TRUE(InShownFolder("D:\\Out\\x.txt", "D:\\Out\\"));
    EXPECT_TRUE(InShownFolder("C:\\x.txt", "C:\\"));
    EXPECT_FALSE(InShownFolder("D:\\Out\\sub\\x.txt", "D:\\Out"));
    EXPECT_FALSE(InShownFolder("D:\\out\\x.txt", "D:\\Out"));
    EXPECT_FALSE(InShownFolder("E:\\x.txt", "D:\\Out"));
}

TEST(CopyMoveDestinations, EveryPatternKind) {
    const std::string object = "C:\\Docs\\Report.TXT";
    EXPECT_EQ(DestinationOf(pkPlainName, "D:\\Out\\Summary.doc", object), "D:\\Out\\Summary.doc");
    EXPECT_EQ(DestinationOf(pkKeepName, "D:\\Out\\*.bak", object), "D:\\Out\\Report.bak");
    EXPECT_EQ(DestinationOf(pkKeepName, "D:\\Out\\*", object), "D:\\Out\\Report");
    EXPECT_EQ(DestinationOf(pkKeepExt, "D:\\Out\\x.*", object), "D:\\Out\\x.TXT");
    EXPECT_EQ(DestinationOf(pkKeepBoth, "D:\\Out\\*.*", object), "D:\\Out\\Report.TXT");
    EXPECT_EQ(DestinationOf(pkKeepExt, "D:\\Out\\.*", "C:\\a.txt"), "D:\\Out\\.txt");
    EXPECT_EQ(DestinationOf(pkKeepExt, "D:\\Out\\n.*", "C:\\Old.Data\\noext"), "D:\\Out\\n");
    EXPECT_EQ(DestinationOf(pkKeepName, "D:\\Out\\*.bak", "C:\\Old.Data\\noext"),
              "D:\\Out\\noext.bak");
    EXPECT_EQ(DestinationOf(pkKeepBoth, "C:\\*.*", "D:\\a\\b.c"), "C:\\b.c");
}

TEST(CopyMoveIntoItself, ComparesWholePathComponents) {
    EXPECT_TRUE(IsSameOrBelow("c:\\work\\doc", "c:\\work\\doc\\old"));
    EXPECT_TRUE(IsSameOrBelow("c:\\work\\doc", "c:\\work\\doc\\a\\b\\c"));
    EXPECT_TRUE(IsSameOrBelow("c:\\work\\doc", "c:\\work\\doc"));
    EXPECT_TRUE(IsSameOrBelow("c:\\work\\doc\\", "c:\\work\\doc\\old"));
    EXPECT_TRUE(IsSameOrBelow("c:\\", "c:\\anything"));
    EXPECT_FALSE(IsSameOrBelow("c:\\work\\doc", "c:\\work\\docs\\doc"));
    EXPECT_FALSE(IsSameOrBelow("c:\\work\\doc", "c:\\work\\doc.old"));
    EXPECT_FALSE(IsSameOrBelow("c:\\work\\doc", "c:\\work"));
    EXPECT_FALSE(IsSameOrBelow("c:\\work\\doc", "d:\\work\\doc\\old"));
    EXPECT_FALSE(IsSameOrBelow("", "c:\\x"));
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
