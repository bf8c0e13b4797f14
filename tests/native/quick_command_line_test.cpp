#include "commands/PromptCommandLine.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

TEST(PromptCommandLine, NtFamilyPushesTheQuotedFolderOtherFamilyTakesNoFolder) {
    EXPECT_EQ(PromptCommandLine(true, L"C:\\WINDOWS\\system32", L"C:\\Work"),
              L"C:\\WINDOWS\\system32\\cmd.exe /k pushd \"C:\\Work\"");
    EXPECT_EQ(PromptCommandLine(true, L"C:\\WINDOWS\\system32", L"C:\\"),
              L"C:\\WINDOWS\\system32\\cmd.exe /k pushd \"C:\\\"");
    EXPECT_EQ(PromptCommandLine(true, L"C:\\WINDOWS\\system32", L"\\\\server\\share"),
              L"C:\\WINDOWS\\system32\\cmd.exe /k pushd \"\\\\server\\share\"");
    EXPECT_EQ(PromptCommandLine(true, L"C:\\WINDOWS\\system32", L"D:\\\u5199\u771f"),
              L"C:\\WINDOWS\\system32\\cmd.exe /k pushd \"D:\\\u5199\u771f\"");
    EXPECT_EQ(PromptCommandLine(false, L"C:\\WINDOWS", L"C:\\Work"),
              L"C:\\WINDOWS\\command.com /k");
}

TEST(PromptCommandLine, ALineThatWouldPassTheLimitWithItsNulIsRefused) {
    const std::wstring system = L"C:\\WINDOWS\\system32";
    const std::size_t fixed = std::wstring(system + L"\\cmd.exe /k pushd \"\"").size();
    const std::wstring fits(kCommandLineLimit - 1 - fixed, L'f');
    const auto longest = PromptCommandLine(true, system, fits);
    ASSERT_TRUE(longest.has_value());
    EXPECT_EQ(longest->size(), kCommandLineLimit - 1);
    EXPECT_FALSE(PromptCommandLine(true, system, fits + L"g").has_value());
    // Folders past MAX_PATH fit; two near the longest path do not.
    EXPECT_TRUE(
        PromptCommandLine(true, std::wstring(259, L's'), std::wstring(1000, L'o')).has_value());
    EXPECT_FALSE(
        PromptCommandLine(true, std::wstring(16000, L's'), std::wstring(16767, L'o')).has_value());
    EXPECT_FALSE(
        PromptCommandLine(false, std::wstring(kCommandLineLimit, L'w'), L"C:\\").has_value());
}

} // namespace
} // namespace tarvix
