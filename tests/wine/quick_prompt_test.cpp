// The command prompt: the command line for each kind of selection on both platform families,
// the refusals, and one real start.
#include "commands/PromptCommandLine.h"
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

std::wstring SystemFolderOfTheMachine() {
    wchar_t folder[MAX_PATH] = {};
    ::GetSystemDirectoryW(folder, MAX_PATH);
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
        ::SetCurrentDirectoryW(startFolder.c_str());
    }
    // Runs the command on `paths`; returns the windows the user saw.
    std::vector<SeenWindow> Run(const std::vector<std::wstring>& paths) {
        Selection selection(paths);
        WindowRobot robot;
        robot.Start();
        RunCommandContained(10, selection);
        return robot.Finish();
    }
    std::wstring startFolder;
};

TEST_F(CommandPrompt, NtFamilyOpensCmdInTheFolderThatHoldsTheFirstObject) {
    OverridePlatformFamily(VER_PLATFORM_WIN32_NT);
    const std::wstring cmd = SystemFolderOfTheMachine() + L"\\cmd.exe /k pushd ";
    const std::wstring deep = L"C:\\" + std::wstring(600, L'd');
    const struct {
        std::vector<std::wstring> selection;
        std::wstring commandLine;
    } cases[] = {
        {{L"C:\\Work\\a.txt"}, cmd + L"\"C:\\Work\""},
        {{L"C:\\Work\\Sub"}, cmd + L"\"C:\\Work\""},
        {{L"C:\\a.txt"}, cmd + L"\"C:\\\""},
        {{L"C:\\"}, cmd + L"\"C:\\\""},
        {{L"\\\\server\\share\\a.txt"}, cmd + L"\"\\\\server\\share\""},
        {{L"D:\\First\\x.doc", L"C:\\Second\\y.doc", L"E:\\"}, cmd + L"\"D:\\First\""},
        {{L"C:\\Work\\with space\\b c.txt"}, cmd + L"\"C:\\Work\\with space\""},
        {{L"C:\\\u0141\u00f3d\u017a\\\u65e5\u672c \U0001F389\\a.txt"},
         cmd + L"\"C:\\\u0141\u00f3d\u017a\\\u65e5\u672c \U0001F389\""},
        // Past MAX_PATH: the interpreter answers for a folder it cannot enter.
        {{deep + L"\\a.txt"}, cmd + L"\"" + deep + L"\""},
    };
    for (const auto& test : cases) {
        RecordStartsInstead();
        EXPECT_TRUE(Run(test.selection).empty()) << U8(test.commandLine);
        ASSERT_EQ(RecordedStarts().size(), 1u) << U8(test.commandLine);
        EXPECT_EQ(RecordedStarts()[0].target, test.commandLine);
        EXPECT_EQ(RecordedStarts()[0].show, SW_SHOWDEFAULT);
        EXPECT_EQ(CurrentFolder(), startFolder) << "the host's current folder stays";
    }
}

TEST_F(CommandPrompt, OtherFamilyOpensCommandComInTheHostsNewCurrentFolder) {
    OverridePlatformFamily(VER_PLATFORM_WIN32_WINDOWS);
    TempFolder folder("Prompt");
    MakeFolder(folder / "Sub");
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    for (const std::wstring& first : {folder / "a.txt", folder / "Sub"}) {
        RecordStartsInstead();
        ::SetCurrentDirectoryW(startFolder.c_str());
        EXPECT_TRUE(Run({first, startFolder + L"\\other.txt"}).empty());
        ASSERT_EQ(RecordedStarts().size(), 1u);
        EXPECT_EQ(RecordedStarts()[0].target, std::wstring(windows) + L"\\command.com /k");
        EXPECT_EQ(_wcsicmp(CurrentFolder().c_str(), folder.Path().c_str()), 0)
            << U8(CurrentFolder()) << ": kept after the command";
    }
}

TEST_F(CommandPrompt, ALineTooLongToStartOrAFailedStartIsReported) {
    OverridePlatformFamily(VER_PLATFORM_WIN32_NT);
    const std::wstring deep = L"C:\\" + std::wstring(kCommandLineLimit, L'd') + L"\\a.txt";
    auto seen = Run({deep});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Error");
    EXPECT_EQ(seen[0].text, "Unexpected error occurred.");
    EXPECT_TRUE(RecordedStarts().empty()) << "nothing is started";

    RecordStartsInstead(false);
    seen = Run({L"C:\\Work\\a.txt"});
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
