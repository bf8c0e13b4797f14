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

// A local folder is handed over as the new process's current folder, never on its command
// line, so '%' in its name is not expanded; a network folder is pushed, named through a
// variable of the new process.
TEST_F(CommandPrompt, NtFamilyOpensCmdInTheFolderThatHoldsTheFirstObject) {
    OverridePlatformFamily(VER_PLATFORM_WIN32_NT);
    const std::wstring cmd = SystemFolderOfTheMachine() + L"\\cmd.exe";
    const std::wstring push =
        cmd + L" /k pushd \"%TARVIX_PROMPT_FOLDER%\" & set TARVIX_PROMPT_FOLDER=";
    const std::wstring deep = L"C:\\" + std::wstring(600, L'd');
    const struct {
        std::vector<std::wstring> selection;
        std::wstring commandLine;
        std::wstring currentFolder;
        std::wstring pushed;
    } cases[] = {
        {{L"C:\\Work\\a.txt"}, cmd, L"C:\\Work", L""},
        {{L"C:\\Work\\Sub"}, cmd, L"C:\\Work", L""},
        {{L"C:\\a.txt"}, cmd, L"C:\\", L""},
        {{L"C:\\"}, cmd, L"C:\\", L""},
        {{L"C:\\100%x%\\a.txt"}, cmd, L"C:\\100%x%", L""},
        {{L"C:\\%PATH%\\a.txt"}, cmd, L"C:\\%PATH%", L""},
        {{L"\\\\server\\share\\a.txt"}, push, L"", L"\\\\server\\share"},
        {{L"\\\\server\\share\\%PATH%\\a.txt"}, push, L"", L"\\\\server\\share\\%PATH%"},
        {{L"D:\\First\\x.doc", L"C:\\Second\\y.doc", L"E:\\"}, cmd, L"D:\\First", L""},
        {{L"C:\\Work\\with space\\b c.txt"}, cmd, L"C:\\Work\\with space", L""},
        {{L"C:\\\u0141\u00f3d\u017a\\\u65e5\u672c \U0001F389\\a.txt"},
         cmd,
         L"C:\\\u0141\u00f3d\u017a\\\u65e5\u672c \U0001F389",
         L""},
        // Past the limit of a current folder: the interpreter answers for a folder it cannot
        // enter.
        {{deep + L"\\a.txt"}, push, L"", deep},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(U8(test.selection.front()));
        RecordStartsInstead();
        EXPECT_TRUE(Run(test.selection).empty());
        ASSERT_EQ(RecordedStarts().size(), 1u);
        const RecordedStart& start = RecordedStarts()[0];
        EXPECT_EQ(start.target, test.commandLine);
        EXPECT_EQ(start.currentFolder, test.currentFolder);
        EXPECT_EQ(start.variable.name, test.pushed.empty() ? L"" : L"TARVIX_PROMPT_FOLDER");
        EXPECT_EQ(start.variable.value, test.pushed);
        EXPECT_EQ(start.show, SW_SHOWDEFAULT);
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

// Both ways the interpreter is started, for real, in folders named like variables: it stands
// in the folder itself. The /k of the command is /c here, with a "cd" that writes where the
// interpreter stands into a file there. Pushed folders name no defined variable: Windows' cmd
// expands the %name% of the line once, Wine's expands the value again.
TEST_F(CommandPrompt, TheInterpreterStandsInAFolderNamedLikeAVariable) {
    StartForReal();
    TempFolder folder("Prompt names");
    std::wstring pushLine =
        PromptCommandLine(true, SystemFolderOfTheMachine(), L"\\\\server\\share")->commandLine;
    pushLine.replace(pushLine.find(L" /k "), 4, L" /c ");
    for (const auto& [name, pushed] :
         {std::pair{"100%x%", true}, std::pair{"a & b%x", true}, std::pair{"%PATH%", false},
          std::pair{"%TEMP% & %x", false}}) {
        SCOPED_TRACE(name);
        const std::wstring named = folder / name;
        MakeFolder(named);
        const auto local = PromptCommandLine(true, SystemFolderOfTheMachine(), named);
        ASSERT_TRUE(local.has_value());
        ASSERT_EQ(local->currentFolder, named);
        std::vector<std::pair<std::wstring, ChildVariable>> starts = {
            {local->commandLine + L" /c cd > stands.txt", {}}};
        if (pushed) {
            starts.push_back({pushLine + L" & cd > stands.txt", {kPromptFolderVariable, named}});
        }
        for (const auto& [commandLine, variable] : starts) {
            ::DeleteFileW((named + L"\\stands.txt").c_str());
            ASSERT_TRUE(StartProgram(commandLine, SW_HIDE,
                                     variable.name.empty() ? local->currentFolder : L"", variable));
            EXPECT_TRUE(WaitUntil([&] {
                return ReadTextFile(named + L"\\stands.txt").find('\n') != std::string::npos;
            })) << U8(commandLine);
            EXPECT_EQ(ReadTextFile(named + L"\\stands.txt"), U8(named) + "\r\n");
        }
    }
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
