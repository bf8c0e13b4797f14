// The help command: the page next to the DLL, the question when it is missing, the web page,
// and the page that the build installs.
#include "platform/Module.h"
#include "platform/Process.h"
#include "platform/Text.h"
#include "shell/Dispatch.h"
#include "strings/RSUnit.h"
#include "support/TempFolder.h"
#include "support/WindowRobot.h"

#include <gtest/gtest.h>

#include <optional>

namespace tarvix::test {
namespace {

const wchar_t kServerKey[] = L"CLSID\\{FEA484FA-8B1F-4F0D-B3EF-D1CFFEA6EA77}\\InprocServer32";
const char kHelpQuestion[] =
    "Help file not found.\r\n\r\nDo you want to connect to Tarvix website?";

// The DLL path that registration wrote, replaced for one test and put back afterwards.
class ServerPathOverride {
  public:
    ServerPathOverride() : saved_(Read()) {}
    ~ServerPathOverride() {
        if (saved_) {
            Write(*saved_);
        } else {
            Remove();
        }
    }
    ServerPathOverride(const ServerPathOverride&) = delete;
    ServerPathOverride& operator=(const ServerPathOverride&) = delete;

    static void Write(const std::wstring& path) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, kServerKey, 0, nullptr, 0, KEY_WRITE,
                                    nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                         static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(key);
    }
    static void Remove() { ::RegDeleteKeyW(HKEY_CLASSES_ROOT, kServerKey); }

  private:
    static std::optional<std::wstring> Read() {
        wchar_t value[1024] = {};
        LONG size = sizeof(value);
        if (::RegQueryValueW(HKEY_CLASSES_ROOT, kServerKey, value, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return std::wstring(value);
    }
    std::optional<std::wstring> saved_;
};

class HelpCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        RecordStartsInstead();
        SetOwnerWindow(shellWindow);
    }
    void TearDown() override {
        StartForReal();
        SetOwnerWindow(nullptr);
        ::DestroyWindow(shellWindow);
    }
    // Runs the command, answering its question with `answer` if one comes.
    std::vector<SeenWindow> Run(int answer = IDNO) {
        WindowRobot robot;
        robot.Answer("Information", answer);
        robot.Start();
        Selection none;
        RunCommandContained(11, none);
        return robot.Finish();
    }
    // The command's owner window, which also owns anything the system asks about the page.
    HWND shellWindow = ::CreateWindowA("STATIC", "shell", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       nullptr, nullptr);
    ServerPathOverride serverPath;
    // Installed under a folder whose name the ANSI code page cannot hold.
    TempFolder installed{"Instalace \u0141\u00f3d\u017a \u65e5\u672c"};
};

TEST_F(HelpCommand, APresentHelpFileIsOpenedWithoutAQuestion) {
    MakeFolder(installed / "help");
    WriteTextFile(installed / "help\\help.htm", "<html></html>");
    ServerPathOverride::Write(installed / "Tarvix.dll");
    EXPECT_TRUE(Run().empty());
    ASSERT_EQ(RecordedStarts().size(), 1u);
    const RecordedStart& start = RecordedStarts()[0];
    EXPECT_EQ(start.target, installed / "help\\help.htm");
    EXPECT_EQ(start.verb, L"Open");
    EXPECT_EQ(start.owner, shellWindow);
    EXPECT_EQ(start.show, SW_SHOWNORMAL);
}

TEST_F(HelpCommand, AMissingHelpFileAsksAndYesOpensTheWebPage) {
    ServerPathOverride::Write(installed / "Tarvix.dll");
    auto seen = Run(IDNO);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, kHelpQuestion);
    EXPECT_EQ(RecordedStarts().size(), 1u) << "No ends the command";

    RecordStartsInstead();
    seen = Run(IDYES);
    ASSERT_EQ(seen.size(), 1u);
    ASSERT_EQ(RecordedStarts().size(), 2u);
    EXPECT_EQ(RecordedStarts()[0].target, installed / "help\\help.htm");
    const RecordedStart& web = RecordedStarts()[1];
    EXPECT_EQ(web.target.rfind(L"https://", 0), 0u) << U8(web.target);
    EXPECT_EQ(web.target.substr(web.target.find(L'/', 8)), L"/tarvix/help.php");
    EXPECT_EQ(web.verb, L"Open");
    EXPECT_EQ(web.owner, shellWindow);
    EXPECT_EQ(web.show, SW_SHOWNORMAL);
}

TEST_F(HelpCommand, AnEmptyPathLooksInTheCurrentFolderAndNoKeyDoesNothing) {
    const std::wstring startFolder = CurrentFolder();
    ASSERT_TRUE(::SetCurrentDirectoryW(installed.Path().c_str()));
    ServerPathOverride::Write(L"");
    auto seen = Run(IDNO);
    ASSERT_EQ(RecordedStarts().size(), 1u);
    EXPECT_EQ(RecordedStarts()[0].target, L"help\\help.htm");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, kHelpQuestion);

    RecordStartsInstead();
    ServerPathOverride::Remove();
    EXPECT_TRUE(Run().empty());
    EXPECT_TRUE(RecordedStarts().empty());
    ::SetCurrentDirectoryW(startFolder.c_str());
}

TEST(HelpPlatform, OpeningAMissingFileAnswersFileNotFound) {
    TempFolder folder("NoHelp");
    EXPECT_EQ(OpenWithSystem(nullptr, L"Open", folder / "help\\help.htm", SW_SHOWNORMAL),
              SE_ERR_FNF);
}

// The manual the build installs next to the DLL names every command by its menu text.
TEST(HelpPage, InstalledNextToTheDllAndCoveringEveryCommand) {
    wchar_t program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring page(program);
    page = page.substr(0, page.find_last_of(L'\\') + 1) + L"help\\help.htm";
    ASSERT_TRUE(Exists(page)) << U8(page);
    std::string html = ReadTextFile(page);
    for (std::size_t at; (at = html.find("&gt;")) != std::string::npos;) {
        html.replace(at, 4, ">");
    }
    for (unsigned index = 0; index < 12; ++index) {
        // The page is written in the ANSI code page.
        const std::string entry = WideToAnsi(LoadText(IDS_MENU_FIRST + index));
        EXPECT_NE(html.find(entry), std::string::npos) << entry;
    }
    EXPECT_NE(html.find(WideToAnsi(LoadText(IDS_SUBMENU_CAPTION))), std::string::npos);
}

} // namespace
} // namespace tarvix::test
