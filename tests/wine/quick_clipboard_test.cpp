// Names to the clipboard through the DLL: the exact bytes, the selection left whole, and a
// clipboard that another program holds open for a moment or for good.
#include "common/Retry.h"
#include "platform/Clipboard.h"
#include "platform/Text.h"
#include "shell/Dispatch.h"
#include "support/ClipboardData.h"
#include "support/Extension.h"
#include "support/TempFolder.h"
#include "support/WindowRobot.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tarvix::test {
namespace {

class NamesToClipboard : public ::testing::Test {
  protected:
    void SetUp() override {
        shellWindow = ::CreateWindowA("STATIC", "shell", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr);
    }
    void TearDown() override { ::DestroyWindow(shellWindow); }

    // The clipboard text that command `index` leaves for a fresh selection of `paths`, as
    // CF_TEXT bytes; the wide text must say the same.
    std::string TextFor(const std::vector<std::wstring>& paths, unsigned index, HWND owner) {
        PutOnClipboard(std::string("earlier content"));
        EXPECT_EQ(SelectAndInvoke(dll, paths, index, owner), S_OK);
        const std::string bytes = ClipboardBytes();
        EXPECT_EQ(ClipboardWide(), AnsiToWide(bytes));
        return bytes;
    }

    ExtensionDll dll;
    HWND shellWindow = nullptr;
};

TEST_F(NamesToClipboard, FullNamesAndNamesOnlyAsExactBytes) {
    const std::vector<std::wstring> selection = {
        L"C:\\Work\\a.txt", L"C:\\Work\\Sub", L"D:\\Other\\a.txt", L"\\\\server\\share\\b c.doc"};
    EXPECT_EQ(TextFor(selection, 8, shellWindow),
              "C:\\Work\\a.txt\r\nC:\\Work\\Sub\r\nD:\\Other\\a.txt\r\n"
              "\\\\server\\share\\b c.doc\r\n");
    EXPECT_EQ(TextFor(selection, 9, shellWindow), "a.txt\r\nSub\r\na.txt\r\nb c.doc\r\n");
    // Without a shell window the text still arrives.
    EXPECT_EQ(TextFor(selection, 9, nullptr), "a.txt\r\nSub\r\na.txt\r\nb c.doc\r\n");
}

TEST_F(NamesToClipboard, DriveRootOneObjectAndEmptySelection) {
    EXPECT_EQ(TextFor({L"C:\\", L"C:\\x.txt"}, 9, shellWindow), "\r\nx.txt\r\n");
    EXPECT_EQ(TextFor({L"C:\\"}, 8, shellWindow), "C:\\\r\n");
    EXPECT_EQ(TextFor({L"C:\\Work\\\u201equoted\u201d.txt"}, 9, shellWindow),
              "\x84quoted\x94.txt\r\n");
    EXPECT_EQ(TextFor({}, 8, shellWindow), "");
    EXPECT_EQ(TextFor({}, 9, nullptr), "");
}

TEST_F(NamesToClipboard, NamesOnlyLeavesTheSelectionWithItsFullPaths) {
    TempFolder folder("Clip");
    TempFolder elsewhere("Cwd");
    const std::wstring file = folder / "Report.txt";
    WriteTextFile(file, "report content");
    WriteTextFile(elsewhere / "Report.txt", "an unrelated file");
    // A bare name would be taken relative to the host's current folder.
    ASSERT_TRUE(::SetCurrentDirectoryW(elsewhere.Path().c_str()));

    IContextMenu* menu = SelectWith(dll, {file});
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Invoke(menu, 9, shellWindow), S_OK);
    EXPECT_EQ(ClipboardBytes(), "Report.txt\r\n");
    EXPECT_EQ(Invoke(menu, 8, shellWindow), S_OK);
    EXPECT_EQ(ClipboardWide(), file + L"\r\n");
    EXPECT_EQ(Invoke(menu, 7, shellWindow), S_OK); // upper case, still on the same selection
    menu->Release();

    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    ::SetCurrentDirectoryA(temp);
    EXPECT_EQ(Snapshot(folder.Path()), (Map{{"REPORT.TXT", "report content"}}));
    EXPECT_EQ(Snapshot(elsewhere.Path()), (Map{{"Report.txt", "an unrelated file"}}));
}

// Another program holds the clipboard open: the command waits for it briefly (the pauses come
// here, so no time passes) and puts the names on it once it is free; held all the while, the
// clipboard is reported and left as it was.
TEST_F(NamesToClipboard, AClipboardHeldByAnotherProgramIsWaitedForThenReported) {
    for (const bool freed : {true, false}) {
        SCOPED_TRACE(freed ? "freed" : "held");
        PutOnClipboard(std::string("held content"));
        std::atomic<bool> held{false};
        std::atomic<bool> release{false};
        std::thread holder([&] {
            held = ::OpenClipboard(nullptr) != FALSE;
            while (!release) {
                ::Sleep(5);
            }
            if (held) {
                ::CloseClipboard();
            }
        });
        ASSERT_TRUE(WaitUntil([&] { return held.load(); }));
        auto free = [&] {
            release = true;
            if (holder.joinable()) {
                holder.join();
            }
        };
        unsigned pauses = 0;
        OverrideClipboardPause([&](unsigned long milliseconds) {
            EXPECT_EQ(milliseconds, kBriefRetry.pauseMs);
            if (++pauses == 2 && freed) {
                free();
            }
        });
        WindowRobot robot;
        if (!freed) {
            robot.Answer("Error", IDOK);
        }
        robot.Start();
        Selection selection({L"C:\\Work\\a.txt"});
        RunCommandContained(8, selection);
        const std::vector<SeenWindow> seen = robot.Finish();
        OverrideClipboardPause(nullptr);
        free();

        if (freed) {
            EXPECT_TRUE(seen.empty());
            EXPECT_EQ(pauses, 2u);
            EXPECT_EQ(ClipboardBytes(), "C:\\Work\\a.txt\r\n");
        } else {
            ASSERT_EQ(seen.size(), 1u);
            EXPECT_EQ(seen[0].text, "Cannot open clipboard");
            EXPECT_EQ(pauses, kBriefRetry.attempts - 1);
            EXPECT_EQ(ClipboardBytes(), "held content");
        }
    }
}

} // namespace
} // namespace tarvix::test
