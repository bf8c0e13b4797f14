#include "commands/PromptCommandLine.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

const std::wstring kSystem = L"C:\\WINDOWS\\system32";
const std::wstring kPushLine = kSystem + L"\\cmd.exe /k pushd \"%TARVIX_PROMPT_FOLDER%\" & set "
                                         L"TARVIX_PROMPT_FOLDER=";

// A local folder is the interpreter's current folder and never part of its command line, so
// no '%' of its name is expanded; a network folder reaches pushd through the variable, which
// cmd expands once.
TEST(PromptCommandLine, LocalFoldersStartThereNetworkFoldersArePushedThroughTheVariable) {
    const std::wstring deep = L"C:\\" + std::wstring(255, L'd'); // 258 characters, the most
    const struct {
        std::wstring folder;
        PromptStart start;
    } cases[] = {
        {L"C:\\Work", {kSystem + L"\\cmd.exe", L"C:\\Work", L""}},
        {L"C:\\", {kSystem + L"\\cmd.exe", L"C:\\", L""}},
        {L"D:\\100%x%", {kSystem + L"\\cmd.exe", L"D:\\100%x%", L""}},
        {L"D:\\%PATH%", {kSystem + L"\\cmd.exe", L"D:\\%PATH%", L""}},
        {L"D:\\\u5199\u771f", {kSystem + L"\\cmd.exe", L"D:\\\u5199\u771f", L""}},
        {deep, {kSystem + L"\\cmd.exe", deep, L""}},
        {deep + L"e", {kPushLine, L"", deep + L"e"}},
        {L"\\\\server\\share", {kPushLine, L"", L"\\\\server\\share"}},
        {L"\\\\server\\share\\%PATH% & 100%x%",
         {kPushLine, L"", L"\\\\server\\share\\%PATH% & 100%x%"}},
    };
    for (const auto& test : cases) {
        const auto start = PromptCommandLine(true, kSystem, test.folder);
        ASSERT_TRUE(start.has_value());
        EXPECT_EQ(start->commandLine, test.start.commandLine);
        EXPECT_EQ(start->currentFolder, test.start.currentFolder);
        EXPECT_EQ(start->folderValue, test.start.folderValue);
    }
    const auto other = PromptCommandLine(false, L"C:\\WINDOWS", L"C:\\Work");
    ASSERT_TRUE(other.has_value());
    EXPECT_EQ(other->commandLine, L"C:\\WINDOWS\\command.com /k");
    EXPECT_TRUE(other->currentFolder.empty());
    EXPECT_TRUE(other->folderValue.empty());
}

TEST(PromptCommandLine, ALineOrAVariableThatWouldPassTheLimitWithItsNulIsRefused) {
    const std::wstring network = L"\\\\server\\";
    const std::wstring fits = network + std::wstring(kCommandLineLimit - 1 - network.size(), L'f');
    ASSERT_TRUE(PromptCommandLine(true, kSystem, fits).has_value());
    EXPECT_FALSE(PromptCommandLine(true, kSystem, fits + L"g").has_value());
    EXPECT_TRUE(
        PromptCommandLine(true, std::wstring(kCommandLineLimit - 10, L's'), L"C:\\").has_value());
    EXPECT_FALSE(
        PromptCommandLine(true, std::wstring(kCommandLineLimit - 8, L's'), L"C:\\").has_value());
    EXPECT_FALSE(
        PromptCommandLine(false, std::wstring(kCommandLineLimit, L'w'), L"C:\\").has_value());
}

} // namespace
} // namespace tarvix
