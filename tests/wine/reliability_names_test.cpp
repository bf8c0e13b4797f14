// Every command on names from several scripts (letters outside the ANSI code page, Greek,
// Japanese, an emoji written as a surrogate pair, and a plain name), and on paths longer than
// MAX_PATH, from the classic menu and from the first one: each run is judged by the whole tree
// it leaves, name by name and byte by byte, and both menus must leave the same.
#include "common/PathTerms.h"
#include "platform/Process.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"
#include "reliability_support.h"
#include "support/ClipboardData.h"
#include "support/DispatchFrame.h"
#include "support/DropData.h"
#include "support/FileTimesRead.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace tarvix::test {
namespace {

// The folder that holds the selection: its own name is Czech.
const std::string kIn = "P\u0159\u00edlohy";
const std::string kPolish = "\u0141\u00f3d\u017a zima.txt";
const std::string kGreek = "\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac"; // a folder
const std::string kGreekInside = "\u03ac\u03bb\u03c6\u03b1.txt";
const std::string kJapanese = "\u65e5\u672c\u8a9e\u306e\u30e1\u30e2.txt";
const std::string kEmoji = "Party \U0001F389.txt";
const std::string kPlain = "plain.txt";

class ManyScripts : public BothMenus {
  protected:
    void SetUp() override {
        DispatchFrame::SetUp();
        MakeTree();
        SelectAll();
        before = Snapshot(folder.Path());
    }

    void MakeTree() {
        MakeFolder(In(""));
        MakeFolder(In(kGreek));
        for (const std::string& name :
             {kPolish, kGreek + "\\" + kGreekInside, kJapanese, kEmoji, kPlain}) {
            WriteTextFile(In(name), "content of " + name);
        }
    }

    void SelectAll() {
        std::vector<std::wstring> paths;
        for (const std::string& name : {kPolish, kGreek, kJapanese, kEmoji, kPlain}) {
            paths.push_back(In(name));
        }
        selection = Selection(paths);
    }

    std::wstring In(const std::string& name) const {
        return name.empty() ? folder / kIn : folder / (kIn + "\\" + name);
    }

    // The tree before, with the names in `renamed` changed (a name to "" removes it) and the
    // entries of `added` added.
    Map Expected(const Map& renamed, const Map& added = {}) const {
        Map expected;
        for (const auto& [path, content] : before) {
            std::string changed = path;
            for (const auto& [from, to] : renamed) {
                const std::string old = kIn + "\\" + from;
                if (path == old || path.rfind(old + "\\", 0) == 0) {
                    changed =
                        to.empty() ? std::string() : kIn + "\\" + to + path.substr(old.size());
                }
            }
            if (!changed.empty()) {
                expected[changed] = content;
            }
        }
        for (const auto& [path, content] : added) {
            expected[kIn + "\\" + path] = content;
        }
        return expected;
    }

    // Runs command `index`; no box may come.
    Map Run(unsigned index) {
        EXPECT_EQ(Choose(index), S_OK);
        for (const Box& box : user.TakeBoxes()) {
            ADD_FAILURE() << box.caption << ": " << box.text;
        }
        return Snapshot(folder.Path());
    }

    TempFolder folder{"scripts"};
    WalkUser user{::GetCurrentThreadId()};
    Map before;
};

// The *.bak names of the five objects.
Map BakNames() {
    return {{kPolish, "\u0141\u00f3d\u017a zima.bak"},
            {kGreek, kGreek + ".bak"},
            {kJapanese, "\u65e5\u672c\u8a9e\u306e\u30e1\u30e2.bak"},
            {kEmoji, "Party \U0001F389.bak"},
            {kPlain, "plain.bak"}};
}

TEST_P(ManyScripts, CopyAs) {
    Map copies;
    for (const auto& [from, to] : BakNames()) {
        for (const auto& [path, content] : before) {
            const std::string old = kIn + "\\" + from;
            if (path == old || path.rfind(old + "\\", 0) == 0) {
                copies[to + path.substr(old.size())] = content;
            }
        }
    }
    EXPECT_EQ(Run(0), Expected({}, copies));
}

TEST_P(ManyScripts, MoveAs) {
    EXPECT_EQ(Run(1), Expected(BakNames()));
}

TEST_P(ManyScripts, RenameSeries) {
    // Numbered by the folder's name, in the order of the selection.
    EXPECT_EQ(Run(2), Expected({{kPolish, kIn + "1.txt"},
                                {kGreek, kIn + "2"},
                                {kJapanese, kIn + "3.txt"},
                                {kEmoji, kIn + "4.txt"},
                                {kPlain, kIn + "5.txt"}}));
}

TEST_P(ManyScripts, RenameSeriesFromClipboardNames) {
    // The names one per line, as a Unicode program leaves them; each object keeps its extension.
    const std::string names[] = {"\u039d\u03ad\u03bf", "\U0001F389 nov\u00e9",
                                 "\u0141\u00f3d\u017a", "J\u00e1", "\u65b0\u3057\u3044"};
    std::string lines;
    for (const std::string& name : names) {
        lines += name + "\r\n";
    }
    ASSERT_TRUE(PutOnClipboard(W(lines)));
    user.namesFromClipboard = true;
    EXPECT_EQ(Run(2), Expected({{kPolish, names[0] + ".txt"},
                                {kGreek, names[1]},
                                {kJapanese, names[2] + ".txt"},
                                {kEmoji, names[3] + ".txt"},
                                {kPlain, names[4] + ".txt"}}));
}

TEST_P(ManyScripts, TimeStamp) {
    const FILETIME old = UtcTime(2001, 2, 3, 4, 5, 6);
    for (const std::string& name :
         {kPolish, kGreek, kGreek + "\\" + kGreekInside, kJapanese, kEmoji, kPlain}) {
        WriteTimes(In(name), old);
    }
    EXPECT_EQ(Run(3), before);
    const FILETIME stamped = ReadTimes(In(kPlain)).written;
    EXPECT_FALSE(SameTime(stamped, old));
    for (const std::string& name : {kPolish, kGreek, kJapanese, kEmoji}) {
        EXPECT_TRUE(SameTime(ReadTimes(In(name)).written, stamped)) << name;
    }
    EXPECT_TRUE(SameTime(ReadTimes(In(kGreek + "\\" + kGreekInside)).written, old))
        << "only the selected objects are stamped";
}

TEST_P(ManyScripts, CaseStyles) {
    const std::string lowerGreek = "\u03b5\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac";
    const Map styles[] = {
        {{kPolish, "\u0142\u00f3d\u017a zima.txt"},
         {kGreek, lowerGreek},
         {kEmoji, "party \U0001F389.txt"}},
        {{kPolish, "\u0141\u00f3d\u017a zima.txt"},
         {kGreek, kGreek},
         {kEmoji, "Party \U0001F389.txt"},
         {kPlain, "Plain.txt"}},
        {{kPolish, "\u0141\u00f3d\u017a Zima.txt"},
         {kGreek, kGreek},
         {kEmoji, "Party \U0001F389.txt"},
         {kPlain, "Plain.txt"}},
        {{kPolish, "\u0141\u00d3D\u0179 ZIMA.TXT"},
         {kGreek, "\u0395\u039b\u039b\u0397\u039d\u0399\u039a\u0386"},
         {kJapanese, "\u65e5\u672c\u8a9e\u306e\u30e1\u30e2.TXT"},
         {kEmoji, "PARTY \U0001F389.TXT"},
         {kPlain, "PLAIN.TXT"}},
    };
    for (unsigned style = 0; style < 4; ++style) {
        SCOPED_TRACE(style);
        EXPECT_EQ(Run(4 + style), Expected(styles[style]));
        // Each style starts from the original names.
        RemoveTree(In(""));
        MakeTree();
    }
}

TEST_P(ManyScripts, NamesToClipboard) {
    const std::wstring folderPath = In("");
    std::wstring full, bare;
    for (const std::string& name : {kPolish, kGreek, kJapanese, kEmoji, kPlain}) {
        full += folderPath + L"\\" + W(name) + L"\r\n";
        bare += W(name) + L"\r\n";
    }
    EXPECT_EQ(Run(8), before);
    EXPECT_EQ(ClipboardWide(), full);
    EXPECT_EQ(ClipboardBytes(), WideToAnsi(full)) << "ANSI readers get the same text";
    EXPECT_EQ(Run(9), before);
    EXPECT_EQ(ClipboardWide(), bare);
    EXPECT_EQ(ClipboardBytes(), WideToAnsi(bare));
}

TEST_P(ManyScripts, CommandPrompt) {
    RecordStartsInstead();
    EXPECT_EQ(Run(10), before);
    ASSERT_EQ(RecordedStarts().size(), 1u);
    EXPECT_EQ(RecordedStarts()[0].currentFolder, In(""));
    StartForReal();
}

// Three folders deep, each name 100 characters long: every path below passes 300 characters.
class LongPaths : public BothMenus {
  protected:
    LongPaths() { shellItems = false; }
    void SetUp() override {
        DispatchFrame::SetUp();
        MakeFolder(folder / Levels(1));
        MakeFolder(folder / Levels(2));
        MakeFolder(folder / Levels(3));
        MakeFolder(Deep("Data"));
        WriteTextFile(Deep("Report.txt"), "report");
        WriteTextFile(Deep("Data\\" + std::string(60, 'n') + ".txt"), "inside");
        ASSERT_GT(Deep("Report.txt").size(), 300u);
    }

    static std::string Level(char letter) { return std::string(100, letter); }
    // The folder `depth` levels down, as a key of the snapshot.
    static std::string Levels(std::size_t depth) {
        std::string key;
        for (char letter : std::string("abc").substr(0, depth)) {
            key += (key.empty() ? "" : "\\") + Level(letter);
        }
        return key;
    }
    static std::string Key(const std::string& name, std::size_t depth = 3) {
        return Levels(depth) + "\\" + name;
    }
    std::wstring Deep(const std::string& name) const { return folder / Key(name); }

    // Runs command `index` on the named objects of the deepest folder; no box may come.
    Map Run(unsigned index, const std::vector<std::string>& names) {
        for (const Box& box : RunForBoxes(index, names)) {
            ADD_FAILURE() << box.caption << ": " << box.text;
        }
        return Snapshot(folder.Path());
    }
    std::vector<Box> RunForBoxes(unsigned index, const std::vector<std::string>& names) {
        std::vector<std::wstring> paths;
        for (const std::string& name : names) {
            paths.push_back(Deep(name));
        }
        selection = Selection(paths);
        EXPECT_EQ(Choose(index), S_OK);
        return user.TakeBoxes();
    }

    // The whole tree as set up, plus `extra` (a "" content removes the entry).
    Map Tree(const Map& extra = {}) const {
        Map tree = {{Levels(1), "<dir>"},
                    {Levels(2), "<dir>"},
                    {Levels(3), "<dir>"},
                    {Key("Data"), "<dir>"},
                    {Key("Data\\" + std::string(60, 'n') + ".txt"), "inside"},
                    {Key("Report.txt"), "report"}};
        for (const auto& [path, content] : extra) {
            if (content.empty()) {
                tree.erase(path);
            } else {
                tree[path] = content;
            }
        }
        return tree;
    }

    TempFolder folder{"long"};
    WalkUser user{::GetCurrentThreadId()};
};

INSTANTIATE_TEST_SUITE_P(Menus, ManyScripts, ::testing::Values(Menu::Classic, Menu::First),
                         MenuName);

TEST_P(LongPaths, CaseChange) {
    EXPECT_EQ(Run(7, {"Report.txt"}),
              Tree({{Key("Report.txt"), ""}, {Key("REPORT.TXT"), "report"}}));
}

TEST_P(LongPaths, NamesToClipboard) {
    Run(8, {"Report.txt", "Data"});
    EXPECT_EQ(ClipboardWide(), Deep("Report.txt") + L"\r\n" + Deep("Data") + L"\r\n");
}

// For paths this long the shell hands over 8.3 short names; the command starts on the long
// ones (the second short name of a folder comes from a listing of it). A name with '~' that
// names nothing stays as it was given.
TEST_F(LongPaths, NamesToClipboardGivesLongNamesForShortOnes) {
    const std::string quarterly = "Quarterly report for the board 2026.xlsx";
    const std::string annual = "Annual summary of the year 2026.docx";
    WriteTextFile(Deep(quarterly), "q");
    WriteTextFile(Deep(annual), "a");
    auto shortForm = [](const std::wstring& path) {
        std::wstring extended = L"\\\\?\\" + path;
        std::wstring buffer(extended.size() + 1, L'\0');
        buffer.resize(::GetShortPathNameW(extended.c_str(), buffer.data(),
                                          static_cast<DWORD>(buffer.size())));
        return buffer.substr(4);
    };
    const std::wstring gone = folder / (Levels(3) + "\\GONE~1.TXT");
    selection = Selection({shortForm(Deep(quarterly)), shortForm(Deep("Data")), gone,
                           shortForm(Deep(annual)), Deep("Report.txt")});
    ASSERT_NE(BareName(selection.Paths()[3]).find(L'~'), std::wstring::npos);
    EXPECT_EQ(DispatchFrame::Choose(8u), S_OK); // the classic menu's drop list
    EXPECT_TRUE(user.TakeBoxes().empty());
    EXPECT_EQ(ClipboardWide(), Deep(quarterly) + L"\r\n" + Deep("Data") + L"\r\n" + gone + L"\r\n" +
                                   Deep(annual) + L"\r\n" + Deep("Report.txt") + L"\r\n");
}

// The save dialog cannot show a folder that deep: it opens in the nearest folder above that it
// can show, and the copies go there.
TEST_P(LongPaths, CopyAsAndMoveAsOfAFileAndAFolder) {
    const std::string inside = "\\" + std::string(60, 'n') + ".txt";
    EXPECT_EQ(Run(0, {"Report.txt"}), Tree({{Key("Report.bak", 2), "report"}}));
    EXPECT_EQ(Run(0, {"Data"}), Tree({{Key("Report.bak", 2), "report"},
                                      {Key("Data.bak", 2), "<dir>"},
                                      {Key("Data.bak", 2) + inside, "inside"}}));
    RemoveTree(folder / Key("Data.bak", 2));
    ASSERT_TRUE(::DeleteFileW((folder / Key("Report.bak", 2)).c_str()));
    EXPECT_EQ(Run(1, {"Report.txt", "Data"}), Tree({{Key("Report.txt"), ""},
                                                    {Key("Data"), ""},
                                                    {Key("Data" + inside), ""},
                                                    {Key("Report.bak", 2), "report"},
                                                    {Key("Data.bak", 2), "<dir>"},
                                                    {Key("Data.bak", 2) + inside, "inside"}}));
}

TEST_P(LongPaths, MessagesShowThePathAsTheUserKnowsIt) {
    const std::vector<Box> boxes = RunForBoxes(0, {"gone.txt"});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, WideToAnsi(FormatText(IDS_OBJECT_MISSING, {Deep("gone.txt")})));
    EXPECT_EQ(boxes[0].text.find("\\\\?\\"), std::string::npos);
    EXPECT_EQ(Snapshot(folder.Path()), Tree());
}

TEST_P(LongPaths, RenameSeries) {
    const std::string series = Level('c');
    EXPECT_EQ(Run(2, {"Report.txt", "Data"}),
              Tree({{Key("Report.txt"), ""},
                    {Key("Data"), ""},
                    {Key("Data\\" + std::string(60, 'n') + ".txt"), ""},
                    {Key(series + "1.txt"), "report"},
                    {Key(series + "2"), "<dir>"},
                    {Key(series + "2\\" + std::string(60, 'n') + ".txt"), "inside"}}));
}

TEST_P(LongPaths, TimeStamp) {
    const FILETIME old = UtcTime(2001, 2, 3, 4, 5, 6);
    WriteTimes(Deep("Report.txt"), old);
    EXPECT_EQ(Run(3, {"Report.txt"}), Tree());
    EXPECT_FALSE(SameTime(ReadTimes(Deep("Report.txt")).written, old));
}

INSTANTIATE_TEST_SUITE_P(Menus, LongPaths, ::testing::Values(Menu::Classic, Menu::First), MenuName);

} // namespace
} // namespace tarvix::test
