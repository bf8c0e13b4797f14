// The four case commands on real files and folders, through the DLL, from both menus.
#include "platform/CaseConversion.h"
#include "platform/Text.h"
#include "support/DispatchFrame.h"
#include "support/Extension.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace tarvix::test {
namespace {

class CaseCommands : public ::testing::TestWithParam<Menu> {
  protected:
    HRESULT Choose(const std::vector<std::wstring>& paths, unsigned index) {
        return GetParam() == Menu::Classic ? SelectAndInvoke(dll, paths, index)
                                           : ChooseInFirstMenu(dll, paths, index);
    }
    std::map<std::string, bool> RunOn(const std::vector<std::string>& names, unsigned index) {
        std::vector<std::wstring> paths;
        for (const std::string& name : names) {
            paths.push_back(folder / name);
        }
        EXPECT_EQ(Choose(paths, index), S_OK);
        return NamesIn(folder.Path());
    }
    ExtensionDll dll;
    TempFolder folder{"Case Dir"};
};

TEST_P(CaseCommands, WorkedExampleInEachStyleKeepsTheContent) {
    const char* const expected[] = {"my report.final.txt", "My report.final.txt",
                                    "My Report.final.txt", "MY REPORT.FINAL.TXT"};
    for (unsigned style = 1; style <= 4; ++style) {
        TempFolder sub("CaseStyle");
        const std::wstring original = sub / "My report.Final.TXT";
        WriteTextFile(original, "content");
        EXPECT_EQ(Choose({original}, 3 + style), S_OK);
        const auto names = NamesIn(sub.Path());
        ASSERT_EQ(names.size(), 1u);
        EXPECT_EQ(names.begin()->first, expected[style - 1]);
        EXPECT_EQ(ReadTextFile(sub / expected[style - 1]), "content");
        EXPECT_TRUE(Exists(sub.Path())) << "the folder on the path keeps its name";
    }
}

TEST_P(CaseCommands, FoldersAndFilesInOneSelectionAndAFailureInBetween) {
    MakeFolder(folder / "old.version one");
    WriteTextFile(folder / "SUMMER  photos", "s");
    WriteTextFile(folder / ".Profile", "p");
    const auto names = RunOn({"old.version one", "gone.txt", "SUMMER  photos", ".Profile"}, 6);
    const std::map<std::string, bool> expected = {
        {"Old.version one", true}, {"Summer  Photos", false}, {".profile", false}};
    EXPECT_EQ(names, expected) << "a missing object is skipped without a message";
}

TEST_P(CaseCommands, NamesAlreadyInStyleStayAsTheyAre) {
    WriteTextFile(folder / "lower.txt", "l");
    EXPECT_EQ(RunOn({"lower.txt"}, 4), (std::map<std::string, bool>{{"lower.txt", false}}));
}

TEST(CaseCommand, AnEmptySelectionChangesNothing) {
    TempFolder folder;
    WriteTextFile(folder / "lower.txt", "l");
    EXPECT_EQ(SelectAndInvoke(ExtensionDll(), {}, 7), S_OK);
    EXPECT_EQ(NamesIn(folder.Path()), (std::map<std::string, bool>{{"lower.txt", false}}));
}

INSTANTIATE_TEST_SUITE_P(Menus, CaseCommands, ::testing::Values(Menu::Classic, Menu::First),
                         MenuName);

// Every character of the ANSI code page converts as the code page's own conversion converts it;
// letters beyond it convert by the system's rules.
TEST(SystemCase, AgreesWithTheCodePageOnEveryByte) {
    int compared = 0;
    for (int value = 1; value < 256; ++value) {
        char byte = static_cast<char>(value);
        if (::IsDBCSLeadByte(static_cast<BYTE>(byte))) {
            continue;
        }
        const std::wstring wide = AnsiToWide(std::string(1, byte));
        char lower = byte;
        char upper = byte;
        ::CharLowerBuffA(&lower, 1);
        ::CharUpperBuffA(&upper, 1);
        EXPECT_EQ(WideToAnsi(LowerCase(wide)), std::string(1, lower)) << value;
        EXPECT_EQ(WideToAnsi(UpperCase(wide)), std::string(1, upper)) << value;
        EXPECT_EQ(LowerCase(wide).size(), wide.size());
        ++compared;
    }
    EXPECT_GT(compared, 127);
    EXPECT_EQ(LowerCase(L"\u0141\u00d3D\u0179"), L"\u0142\u00f3d\u017a");
    EXPECT_EQ(UpperCase(L"\u0142\u00f3d\u017a"), L"\u0141\u00d3D\u0179");
    // A letter outside the basic plane keeps its two units paired: converted whole (Wine) or
    // left as it is (Windows).
    const std::wstring deseret = LowerCase(L"\U00010400");
    EXPECT_TRUE(deseret == L"\U00010428" || deseret == L"\U00010400");
}

} // namespace
} // namespace tarvix::test
