// The command prompt: the command line for each kind of selection on both platform families,
// the refusals, and one real start.
#include "platform/Module.h"
#include "platform/Process.h"
#include "shell/Dispatch.h"
#include "shell/Server.h"
#include "support/TempFolder.h"
#include "support/WindowRobot.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

namespace tarvix::test {
namespace {

std::string CurrentFolder() {
    char folder[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

std::string SystemFolderOfTheMachine() {
    char folder[MAX_PATH] = {};
    ::GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

class CommandPrompt : public ::testing::Test {
  protected:
    void SetUp() override {
        startFolder = CurrentFolder();
        RecordStartsInstead();
    }
    void TearDown() override {
        StartForReal();
        OverridePlatformFamily(std::nullopt);
        ::SetCurrentDirectoryA(startFolder.c_str());
    }
    // Runs the command on `paths`; returns the windows the user saw.
    std::vector<SeenWindow> Run(const std::vector<std::string>& paths) {
        Selection selection(paths);
        WindowRobot robot;
        robot.Start();
        RunCommandContained(10, selection);
        return robot.Finish();
    }
    std::string startFolder;
};

TEST_F(CommandPrompt, NtFamilyOpensCmdInTheFolderThatHoldsTheFirstObject) {
    OverridePlatformFamily(VER_PLATFORM_WIN32_NT);
    const std::string cmd = SystemFolderOfTheMachine() + "\\cmd.exe /k pushd ";
    const struct {
        std::vector<std::string> selection;
        std::string commandLine;
    } cases[] = {
        {{"C:\\Work\\a.txt"}, cmd + "\"C:\\Work\""},
        {{"C:\\Work\\Sub"}, cmd + "\"C:\\Work\""},
        {{"C:\\a.txt"}, cmd + "\"C:\\\""},
        {{"C:\\"}, cmd + "\"C:\\\""},
        {{"\\\\server\\share\\a.txt"}, cmd + "\"\\\\server\\share\""},
        {{"D:\\First\\x.doc", "C:\\Second\\y.doc", "E:\\"}, cmd + "\"D:\\First\""},
        {{"C:\\Work\\with space\\b c.txt"}, cmd + "\"C:\\Work\\with space\""},
    };
    for (const auto& test : cases) {
        RecordStartsInstead();
        EXPECT_TRUE(Run(test.selection).empty()) << test.commandLine;
        ASSERT_EQ(RecordedStarts().size(), 1u) << test.commandLine;
        EXPECT_EQ(RecordedStarts()[0].target, test.commandLine);
        EXPECT_EQ(RecordedStarts()[0].show, SW_SHOWDEFAULT);
        EXPECT_EQ(CurrentFolder(), startFolder) << "the host's current folder stays";
    }
}

TEST_F(CommandPrompt, OtherFamilyOpensCommandComInTheHostsNewCurrentFolder) {
    OverridePlatformFamily(VER_PLATFORM_WIN32_WINDOWS);
    TempFolder folder("Prompt");
    MakeFolder(folder / "Sub");
    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    for (const std::string& first : {folder / "a.txt", folder / "Sub"}) {
        RecordStartsInstead();
        ::SetCurrentDirectoryA(startFolder.c_str());
        EXPECT_TRUE(Run({first, startFolder + "\\other.txt"}).empty());
        ASSERT_EQ(RecordedStarts().size(), 1u);
        EXPECT_EQ(RecordedStarts()[0].target, std::string(windows) + "\\command.com /k");
        EXPECT_EQ(_stricmp(CurrentFolder().c_str(), folder.Path().c_str()), 0)
            << CurrentFolder() << ": kept after the command";
    }
}

TEST_F(CommandPrompt, ALineTooLongForItsBufferOrAFailedStartIsReported) {
    OverridePlatformFamily(VER_PLATFORM_WIN32_NT);
    const std::string deep = "C:\\" + std::string(600, 'd') + "\\a.txt";
    auto seen = Run({deep});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Error");
    EXPECT_EQ(seen[0].text, "Unexpected error occurred.");
    EXPECT_TRUE(RecordedStarts().empty()) << "nothing is started";

    RecordStartsInstead(ERROR_FILE_NOT_FOUND);
    seen = Run({"C:\\Work\\a.txt"});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Unexpected error occurred.");
    EXPECT_EQ(RecordedStarts().size(), 1u);
}

// Interpreter processes started by this process.
std::vector<DWORD> ChildInterpreters() {
    std::vector<DWORD> found;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32First(snapshot, &entry); more;
         more = ::Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == ::GetCurrentProcessId() &&
            _stricmp(entry.szExeFile, "cmd.exe") == 0) {
            found.push_back(entry.th32ProcessID);
        }
    }
    ::CloseHandle(snapshot);
    return found;
}

TEST_F(CommandPrompt, TheRealStartOpensTheInterpreter) {
    StartForReal();
    TempFolder folder("Real prompt");
    WriteTextFile(folder / "a.txt", "a");
    const std::vector<DWORD> before = ChildInterpreters();
    EXPECT_TRUE(Run({folder / "a.txt"}).empty()) << "no error shown";
    DWORD started = 0;
    EXPECT_TRUE(WaitUntil([&] {
        for (DWORD id : ChildInterpreters()) {
            if (std::find(before.begin(), before.end(), id) == before.end()) {
                started = id;
            }
        }
        return started != 0;
    }));
    if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, started)) {
        ::TerminateProcess(process, 0);
        ::WaitForSingleObject(process, 10000);
        ::CloseHandle(process);
    }
}

} // namespace
} // namespace tarvix::test
