#include "commands/PromptCommandLine.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

TEST(PromptCommandLine, NtFamilyPushesTheQuotedFolderOtherFamilyTakesNoFolder) {
    EXPECT_EQ(PromptCommandLine(true, "C:\\WINDOWS\\system32", "C:\\Work"),
              "C:\\WINDOWS\\system32\\cmd.exe /k pushd \"C:\\Work\"");
    EXPECT_EQ(PromptCommandLine(true, "C:\\WINDOWS\\system32", "C:\\"),
              "C:\\WINDOWS\\system32\\cmd.exe /k pushd \"C:\\\"");
    EXPECT_EQ(PromptCommandLine(true, "C:\\WINDOWS\\system32", "\\\\server\\share"),
              "C:\\WINDOWS\\system32\\cmd.exe /k pushd \"\\\\server\\share\"");
    EXPECT_EQ(PromptCommandLine(false, "C:\\WINDOWS", "C:\\Work"), "C:\\WINDOWS\\command.com /k");
}

TEST(PromptCommandLine, ALineThatWouldNotFitTheBufferWithItsNulIsRefused) {
    const std::string system = "C:\\WINDOWS\\system32";
    const std::size_t fixed = std::string(system + "\\cmd.exe /k pushd \"\"").size();
    const std::string fits(kCommandLineBufferSize - 1 - fixed, 'f');
    const auto longest = PromptCommandLine(true, system, fits);
    ASSERT_TRUE(longest.has_value());
    EXPECT_EQ(longest->size(), kCommandLineBufferSize - 1);
    EXPECT_FALSE(PromptCommandLine(true, system, fits + "g").has_value());
    // Both folders near their longest: the case the fixed buffer cannot hold.
    EXPECT_FALSE(PromptCommandLine(true, std::string(259, 's'), std::string(259, 'o')).has_value());
    EXPECT_FALSE(
        PromptCommandLine(false, std::string(kCommandLineBufferSize, 'w'), "C:\\").has_value());
}

} // namespace
} // namespace tarvix
