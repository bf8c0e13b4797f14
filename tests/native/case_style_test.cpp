#include "commands/CaseStyle.h"
#include "tests/AsciiCase.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

std::string Styled(const std::string& path, int style) {
    std::string result;
    EXPECT_TRUE(NewCasePath(path, style, kAsciiCase, result));
    return result;
}

TEST(CaseStyle, WorkedExampleInAllFourStyles) {
    const std::string path = "C:\\Work\\My report.Final.TXT";
    EXPECT_EQ(Styled(path, 1), "c:\\work\\my report.final.txt");
    EXPECT_EQ(Styled(path, 2), "C:\\Work\\My report.final.txt");
    EXPECT_EQ(Styled(path, 3), "C:\\Work\\My Report.final.txt");
    EXPECT_EQ(Styled(path, 4), "C:\\WORK\\MY REPORT.FINAL.TXT");
}

TEST(CaseStyle, WordCapitalsRaiseOnlyAfterSpaces) {
    EXPECT_EQ(Styled("C:\\SUMMER  photos", 3), "C:\\Summer  Photos");
    EXPECT_EQ(Styled("C:\\hello_world.DOC", 3), "C:\\Hello_world.doc");
    EXPECT_EQ(Styled("C:\\old.version one", 3), "C:\\Old.version one");
    EXPECT_EQ(Styled("C:\\(old) plan.txt", 3), "C:\\(old) Plan.txt");
    EXPECT_EQ(Styled("C:\\.Profile", 3), "C:\\.profile");
    EXPECT_EQ(Styled("C:\\abc .txt", 3), "C:\\Abc .txt");
    EXPECT_EQ(Styled("C:\\my summer photos", 3), "C:\\My Summer Photos");
    EXPECT_EQ(Styled("C:\\my summer photos", 2), "C:\\My summer photos");
}

TEST(CaseStyle, FirstCapitalKeepsALeadingDotFirst) {
    EXPECT_EQ(Styled("C:\\.PROFILE", 2), "C:\\.profile");
    EXPECT_EQ(Styled("C:\\", 2), "C:\\");
    EXPECT_EQ(Styled("C:\\", 3), "C:\\");
}

TEST(CaseStyle, StylesOutsideOneToFourChangeNothing) {
    std::string result = "untouched";
    EXPECT_FALSE(NewCasePath("C:\\a.txt", 0, kAsciiCase, result));
    EXPECT_FALSE(NewCasePath("C:\\a.txt", 5, kAsciiCase, result));
    EXPECT_EQ(result, "untouched");
}

} // namespace
} // namespace tarvix
