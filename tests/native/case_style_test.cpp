#include "commands/CaseStyle.h"
#include "tests/AsciiCase.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

std::wstring Styled(const std::wstring& path, int style) {
    std::wstring result;
    EXPECT_TRUE(NewCasePath(path, style, kAsciiCase, result));
    return result;
}

// Only the object's own name changes; its folder is handed on as it is spelled, which is what
// names it in a case-sensitive folder too.
TEST(CaseStyle, WorkedExampleInAllFourStylesKeepsTheFolderAsSpelled) {
    const std::wstring path = L"C:\\Work\\My report.Final.TXT";
    EXPECT_EQ(Styled(path, 1), L"C:\\Work\\my report.final.txt");
    EXPECT_EQ(Styled(path, 2), L"C:\\Work\\My report.final.txt");
    EXPECT_EQ(Styled(path, 3), L"C:\\Work\\My Report.final.txt");
    EXPECT_EQ(Styled(path, 4), L"C:\\Work\\MY REPORT.FINAL.TXT");
    EXPECT_EQ(Styled(L"\\\\Nas\\Share\\Mixed\\Sub Folder", 1),
              L"\\\\Nas\\Share\\Mixed\\sub folder");
    EXPECT_EQ(Styled(L"\\\\Nas\\Share\\Mixed\\Sub Folder", 4),
              L"\\\\Nas\\Share\\Mixed\\SUB FOLDER");
    EXPECT_EQ(Styled(L"C:\\", 4), L"C:\\");
}

TEST(CaseStyle, WordCapitalsRaiseOnlyAfterSpaces) {
    EXPECT_EQ(Styled(L"C:\\SUMMER  photos", 3), L"C:\\Summer  Photos");
    EXPECT_EQ(Styled(L"C:\\hello_world.DOC", 3), L"C:\\Hello_world.doc");
    EXPECT_EQ(Styled(L"C:\\old.version one", 3), L"C:\\Old.version one");
    EXPECT_EQ(Styled(L"C:\\(old) plan.txt", 3), L"C:\\(old) Plan.txt");
    EXPECT_EQ(Styled(L"C:\\.Profile", 3), L"C:\\.profile");
    EXPECT_EQ(Styled(L"C:\\abc .txt", 3), L"C:\\Abc .txt");
    EXPECT_EQ(Styled(L"C:\\my summer photos", 3), L"C:\\My Summer Photos");
    EXPECT_EQ(Styled(L"C:\\my summer photos", 2), L"C:\\My summer photos");
}

TEST(CaseStyle, FirstCapitalKeepsALeadingDotFirst) {
    EXPECT_EQ(Styled(L"C:\\.PROFILE", 2), L"C:\\.profile");
    EXPECT_EQ(Styled(L"C:\\", 2), L"C:\\");
    EXPECT_EQ(Styled(L"C:\\", 3), L"C:\\");
}

// One letter outside the basic plane in both cases, U+10400 and U+10428 of Deseret: two pairs
// with the same high surrogate, beside the ASCII letters.
std::wstring WithDeseretLetter(std::wstring text, wchar_t from, wchar_t to) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == wchar_t(0xD801) && text[i + 1] == from) {
            text[i + 1] = to;
        }
    }
    return text;
}
std::wstring DeseretLower(std::wstring_view text) {
    return WithDeseretLetter(AsciiLower(text), wchar_t(0xDC00), wchar_t(0xDC28));
}
std::wstring DeseretUpper(std::wstring_view text) {
    return WithDeseretLetter(AsciiUpper(text), wchar_t(0xDC28), wchar_t(0xDC00));
}

// A character outside the basic plane is raised as a whole: both of its units come from the
// converted string, at the name's start and after a space alike.
TEST(CaseStyle, ACapitalOutsideTheBasicPlaneTakesBothUnits) {
    const std::wstring grin{wchar_t(0xD83D), wchar_t(0xDE00)};
    EXPECT_EQ(Styled(L"C:\\" + grin + L"X y" + grin, 2), L"C:\\" + grin + L"x y" + grin);
    EXPECT_EQ(Styled(L"C:\\" + grin + L"X " + grin + L"Y.TXT", 3),
              L"C:\\" + grin + L"x " + grin + L"y.txt");
    EXPECT_EQ(Styled(L"C:\\a " + grin, 3), L"C:\\A " + grin);

    const CaseConversions deseret{DeseretLower, DeseretUpper};
    const std::wstring small{wchar_t(0xD801), wchar_t(0xDC28)};
    const std::wstring capital{wchar_t(0xD801), wchar_t(0xDC00)};
    const std::wstring path = L"C:\\" + capital + capital + L" " + small + L".TXT";
    std::wstring result;
    ASSERT_TRUE(NewCasePath(path, 2, deseret, result));
    EXPECT_EQ(result, L"C:\\" + capital + small + L" " + small + L".txt");
    ASSERT_TRUE(NewCasePath(path, 3, deseret, result));
    EXPECT_EQ(result, L"C:\\" + capital + small + L" " + capital + L".txt");
}

TEST(CaseStyle, StylesOutsideOneToFourChangeNothing) {
    std::wstring result = L"untouched";
    EXPECT_FALSE(NewCasePath(L"C:\\a.txt", 0, kAsciiCase, result));
    EXPECT_FALSE(NewCasePath(L"C:\\a.txt", 5, kAsciiCase, result));
    EXPECT_EQ(result, L"untouched");
}

} // namespace
} // namespace tarvix
