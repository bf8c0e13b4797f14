#include "commands/ClipboardText.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

TEST(ClipboardText, OneLinePerObjectEachEndedByCrLf) {
    const std::vector<std::string> paths = {"C:\\Work\\a.txt", "C:\\Work\\Sub", "C:\\",
                                            "D:\\Other\\a.txt", "\\\\server\\share\\b c.doc"};
    EXPECT_EQ(ClipboardText(paths, false),
              "C:\\Work\\a.txt\r\nC:\\Work\\Sub\r\nC:\\\r\nD:\\Other\\a.txt\r\n"
              "\\\\server\\share\\b c.doc\r\n");
    // A drive root has no name: its line is empty. Equal names stay two lines.
    EXPECT_EQ(ClipboardText(paths, true), "a.txt\r\nSub\r\n\r\na.txt\r\nb c.doc\r\n");
}

TEST(ClipboardText, EmptySelectionGivesTheEmptyTextAndOneObjectOneLine) {
    EXPECT_EQ(ClipboardText({}, false), "");
    EXPECT_EQ(ClipboardText({}, true), "");
    EXPECT_EQ(ClipboardText({"C:\\x\\\x84quoted\x94.txt"}, true), "\x84quoted\x94.txt\r\n");
}

} // namespace
} // namespace tarvix
