#include "common/AbsolutePath.h"
#include "common/NameCharacters.h"
#include "common/PathTerms.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvix {
namespace {

// U+1F600 as UTF-16: a character outside the basic plane takes two code units.
const std::wstring kGrin{wchar_t(0xD83D), wchar_t(0xDE00)};

struct PathTermsRow {
    std::wstring path;
    std::wstring folderPart;
    std::wstring bareName;
    std::wstring extension;
    std::wstring namePart;
    std::wstring objectFolder;
};

TEST(PathTerms, SplitsPathsAtTheLastSeparatorAndDot) {
    const PathTermsRow rows[] = {
        {L"C:\\Work\\a.txt", L"C:\\Work\\", L"a.txt", L".txt", L"C:\\Work\\a", L"C:\\Work"},
        {L"C:\\a.txt", L"C:\\", L"a.txt", L".txt", L"C:\\a", L"C:\\"},
        {L"C:\\Work\\report.tar.gz", L"C:\\Work\\", L"report.tar.gz", L".gz",
         L"C:\\Work\\report.tar", L"C:\\Work"},
        {L".profile", L"", L".profile", L".profile", L"", L""},
        {L"C:\\Old.Data\\file", L"C:\\Old.Data\\", L"file", L"", L"C:\\Old.Data\\file",
         L"C:\\Old.Data"},
        {L"C:\\", L"C:\\", L"", L"", L"C:\\", L"C:\\"},
        {L"C:x.doc", L"C:", L"x.doc", L".doc", L"C:x", L"C:"},
        {L"name.", L"", L"name.", L".", L"name", L""},
        {L"\\\\server\\share\\a.txt", L"\\\\server\\share\\", L"a.txt", L".txt",
         L"\\\\server\\share\\a", L"\\\\server\\share"},
        {L"\\\\x", L"\\\\", L"x", L"", L"\\\\x", L"\\\\"},
        {L"", L"", L"", L"", L"", L""},
        // Names of other scripts: Polish, Greek, Japanese.
        {L"C:\\Pliki\\\u0142\u00f3d\u017a.txt", L"C:\\Pliki\\", L"\u0142\u00f3d\u017a.txt", L".txt",
         L"C:\\Pliki\\\u0142\u00f3d\u017a", L"C:\\Pliki"},
        {L"C:\\\u0394\\\u03b1\u03b2.\u03b3", L"C:\\\u0394\\", L"\u03b1\u03b2.\u03b3", L".\u03b3",
         L"C:\\\u0394\\\u03b1\u03b2", L"C:\\\u0394"},
        {L"D:\\\u5199\u771f\\\u65c5\u884c.jpeg", L"D:\\\u5199\u771f\\", L"\u65c5\u884c.jpeg",
         L".jpeg", L"D:\\\u5199\u771f\\\u65c5\u884c", L"D:\\\u5199\u771f"},
        // A surrogate pair at either end of a term stays whole.
        {L"C:\\a" + kGrin, L"C:\\", L"a" + kGrin, L"", L"C:\\a" + kGrin, L"C:\\"},
        {L"C:\\" + kGrin + L"\\" + kGrin + L"." + kGrin, L"C:\\" + kGrin + L"\\",
         kGrin + L"." + kGrin, L"." + kGrin, L"C:\\" + kGrin + L"\\" + kGrin, L"C:\\" + kGrin},
    };
    for (const PathTermsRow& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.path));
        EXPECT_EQ(FolderPart(row.path), row.folderPart);
        EXPECT_EQ(BareName(row.path), row.bareName);
        EXPECT_EQ(Extension(row.path), row.extension);
        EXPECT_EQ(NamePart(row.path), row.namePart);
        EXPECT_EQ(ObjectFolder(row.path), row.objectFolder);
    }
}

TEST(PathTerms, NamePartAndExtensionRebuildThePath) {
    for (const wchar_t* path :
         {L"a", L"a.b.c", L"x\\.y", L"x.y\\z", L":.", L"..", L"C:\\d.e\\f.g"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(path)));
        EXPECT_EQ(NamePart(path) + Extension(path), path);
        EXPECT_EQ(FolderPart(path) + BareName(path), path);
    }
}

// What the \\?\ prefix is given: the path made full by the rules the platform applies to a
// path, except that names keep their final dots and spaces.
TEST(AbsolutePaths, CleanedForThePrefixWithEveryNameAsGiven) {
    const std::pair<const wchar_t*, const wchar_t*> rows[] = {
        {L"C:\\Work\\draft.", L"C:\\Work\\draft."},
        {L"C:\\Work\\note ", L"C:\\Work\\note "},
        {L"c:/work//sub\\\\a.txt", L"c:\\work\\sub\\a.txt"},
        {L"C:\\Work\\.\\Docs\\..\\DOC\\Old", L"C:\\Work\\DOC\\Old"},
        {L"C:\\..\\..\\a", L"C:\\a"},
        {L"C:\\", L"C:\\"},
        {L"C:\\Work\\", L"C:\\Work"},
        {L"\\\\server\\share\\a\\..\\..\\b.", L"\\\\server\\share\\b."},
        {L"//server/share/x", L"\\\\server\\share\\x"},
        {L"\\\\server\\share", L"\\\\server\\share"},
        {L"C:\\\u0142\u00f3d\u017a\\\u65e5\u672c.", L"C:\\\u0142\u00f3d\u017a\\\u65e5\u672c."},
    };
    for (const auto& [path, clean] : rows) {
        EXPECT_EQ(CleanAbsolutePath(path), std::optional<std::wstring>(clean)) << path;
    }
    for (const wchar_t* other : {L"a.txt", L"..\\x", L"C:x", L"C:", L"\\x", L"\\\\?\\C:\\x",
                                 L"\\\\.\\COM1", L"\\\\server", L"\\\\server\\", L""}) {
        EXPECT_EQ(CleanAbsolutePath(other), std::nullopt) << other;
    }
}

// The names a user may give: device names in every spelling the platform reads as a device,
// and names ending in a dot or a space, are refused; names that only look alike are not.
TEST(NewNames, DeviceNamesAndNamesTheCleanUpWouldCutAreRefused) {
    for (const wchar_t* name :
         {L"CON",         L"con",        L"Prn",         L"AUX",       L"nul",
          L"NUL.txt",     L"nul.tar.gz", L"COM1",        L"com9.log",  L"LPT0",
          L"lpt5",        L"COM\u00b9",  L"lpt\u00b2.x", L"LPT\u00b3", L"CONIN$",
          L"conout$.txt", L"NUL .txt",   L"con  ",       L"aux..txt",  L"prn.",
          L"x.",          L"x ",         L".",           L"..",        L"a b. ."}) {
        EXPECT_FALSE(IsAllowedNewName(name)) << name;
    }
    for (const wchar_t* name : {L"CONSOLE", L"nul1", L"NULL.txt", L"COM10", L"LPT", L"com", L"xcon",
                                L" nul", L"COM\u2074", L"LPT\u00b9\u00b9", L".nul", L"draft.txt",
                                L"a.b c", L"\u65e5\u672c", L""}) {
        EXPECT_TRUE(IsAllowedNewName(name)) << name;
    }
    EXPECT_TRUE(IsReservedDeviceName(L"NUL.txt"));
    EXPECT_FALSE(IsReservedDeviceName(L"x."));
    EXPECT_TRUE(EndsInDotOrSpace(L"x."));
    EXPECT_FALSE(EndsInDotOrSpace(L"NUL"));
}

} // namespace
} // namespace tarvix
