#include "common/PathTerms.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

struct PathTermsRow {
    const char* path;
    const char* folderPart;
    const char* bareName;
    const char* extension;
    const char* namePart;
    const char* objectFolder;
};

TEST(PathTerms, SplitsPathsAtTheLastSeparatorAndDot) {
    const PathTermsRow rows[] = {
        {"C:\\Work\\a.txt", "C:\\Work\\", "a.txt", ".txt", "C:\\Work\\a", "C:\\Work"},
        {"C:\\a.txt", "C:\\", "a.txt", ".txt", "C:\\a", "C:\\"},
        {"C:\\Work\\report.tar.gz", "C:\\Work\\", "report.tar.gz", ".gz", "C:\\Work\\report.tar",
         "C:\\Work"},
        {".profile", "", ".profile", ".profile", "", ""},
        {"C:\\Old.Data\\file", "C:\\Old.Data\\", "file", "", "C:\\Old.Data\\file", "C:\\Old.Data"},
        {"C:\\", "C:\\", "", "", "C:\\", "C:\\"},
        {"C:x.doc", "C:", "x.doc", ".doc", "C:x", "C:"},
        {"name.", "", "name.", ".", "name", ""},
        {"\\\\server\\share\\a.txt", "\\\\server\\share\\", "a.txt", ".txt", "\\\\server\\share\\a",
         "\\\\server\\share"},
        {"\\\\x", "\\\\", "x", "", "\\\\x", "\\\\"},
        {"", "", "", "", "", ""},
    };
    for (const PathTermsRow& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(FolderPart(row.path), row.folderPart);
        EXPECT_EQ(BareName(row.path), row.bareName);
        EXPECT_EQ(Extension(row.path), row.extension);
        EXPECT_EQ(NamePart(row.path), row.namePart);
        EXPECT_EQ(ObjectFolder(row.path), row.objectFolder);
    }
}

TEST(PathTerms, NamePartAndExtensionRebuildThePath) {
    for (const char* path : {"a", "a.b.c", "x\\.y", "x.y\\z", ":.", "..", "C:\\d.e\\f.g"}) {
        EXPECT_EQ(NamePart(path) + Extension(path), path) << path;
        EXPECT_EQ(FolderPart(path) + BareName(path), path) << path;
    }
}

} // namespace
} // namespace tarvix
