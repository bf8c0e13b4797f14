#include "commands/ClipboardText.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

TEST(ClipboardText, OneLinePerObjectEachEndedByCrLf) {
    const std::vector<std::wstring> paths = {L"C:\\Work\\a.txt", L"C:\\Work\\Sub", L"C:\\",
                                             L"D:\\Other\\a.txt", L"\\\\server\\share\\b c.doc"};
    EXPECT_EQ(ClipboardText(paths, false),
              L"C:\\Work\\a.txt\r\nC:\\Work\\Sub\r\nC:\\\r\nD:\\Other\\a.txt\r\n"
              L"\\\\server\\share\\b c.doc\r\n");
    // A drive root has no name: its line is empty. Equal names stay two lines.
    EXPECT_EQ(ClipboardText(paths, true), L"a.txt\r\nSub\r\n\r\na.txt\r\nb c.doc\r\n");
}

TEST(ClipboardText, EmptySelectionGivesTheEmptyTextAndOneObjectOneLine) {
    EXPECT_EQ(ClipboardText({}, false), L"");
    EXPECT_EQ(ClipboardText({}, true), L"");
    EXPECT_EQ(ClipboardText({L"C:\\x\\\u201equoted\u201d.txt"}, true),
              L"\u201equoted\u201d.txt\r\n");
}

} // namespace
} // namespace tarvix
