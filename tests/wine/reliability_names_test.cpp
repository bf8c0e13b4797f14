// A selected object whose name does not fit the ANSI code page reaches the commands with '?'
// in place of each such character, as DragQueryFileA gives it: every command fails on that
// object through its normal messages, goes on with the others, and touches nothing else
// (a file named like the question marks read as wildcards included).
#include "platform/Files.h"
#include "platform/Text.h"
#include "reliability_support.h"
#include "shell/Dispatch.h"
#include "shell/SelectionIntake.h"
#include "strings/RSUnit.h"
#include "support/DispatchFrame.h"
#include "support/DropData.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace tarvix::test {
namespace {

using WideMap = std::map<std::wstring, std::string>;

const std::wstring kJapanese = L"\u65e5\u672c.txt";

std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end()); // the test folder's path is plain ASCII
}

void WriteWide(const std::wstring& path, const std::string& content) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string ReadWide(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<unreadable>";
    }
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        content.append(buffer, read);
    }
    ::CloseHandle(file);
    return content;
}

// Every file below `root` by its real (wide) name, relative, with its content.
void WideSnapshot(const std::wstring& root, const std::wstring& relative, WideMap& map) {
    WIN32_FIND_DATAW entry;
    const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            map[path] = "<dir>";
            WideSnapshot(root, path, map);
        } else {
            map[path] = ReadWide(root + L"\\" + path);
        }
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
}

WideMap WideSnapshot(const std::wstring& root) {
    WideMap map;
    WideSnapshot(root, L"", map);
    return map;
}

class ForeignName : public DispatchFrame {
  protected:
    // a.txt, the foreign name, ab.txt (which "??.txt" would match as a pattern) and c.txt;
    // all but ab.txt selected.
    void MakeSelection() {
        RemoveTree(folder / "In");
        MakeFolder(folder / "In");
        const std::wstring in = Widen(folder / "In");
        for (const std::wstring& name :
             {std::wstring(L"a.txt"), kJapanese, std::wstring(L"ab.txt"), std::wstring(L"c.txt")}) {
            WriteWide(in + L"\\" + name,
                      "content of " + std::to_string(name.size()) + " " + std::to_string(++files));
        }
        IDataObject* data = NewDropDataObject(
            WideDropFilesBlock({in + L"\\a.txt", in + L"\\" + kJapanese, in + L"\\c.txt"}), S_OK);
        ASSERT_EQ(ReadSelection(data), S_OK);
        data->Release();
    }

    struct Run {
        WideMap before;
        WideMap after;
        std::vector<Box> boxes;
    };

    Run RunCommand(unsigned index) {
        MakeSelection();
        Run run;
        run.before = WideSnapshot(Widen(folder.Path()));
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof(info);
        info.hwnd = shellWindow;
        info.lpVerb = MAKEINTRESOURCEA(index);
        EXPECT_EQ(DispatchCommand(&info), S_OK);
        EXPECT_EQ(BusyCounter(), 0);
        EXPECT_EQ(OwnerWindow(), previousOwner);
        run.after = WideSnapshot(Widen(folder.Path()));
        run.boxes = user.TakeBoxes();
        // The foreign file and the one its converted name would match stay as they were.
        for (const std::wstring& name : {L"In\\" + kJapanese, std::wstring(L"In\\ab.txt")}) {
            EXPECT_EQ(run.after.count(name), 1u);
            if (run.after.count(name)) {
                EXPECT_EQ(run.after.at(name), run.before.at(name));
            }
        }
        // No content is lost anywhere.
        for (const auto& [path, content] : run.before) {
            bool found = false;
            for (const auto& [afterPath, afterContent] : run.after) {
                found = found || afterContent == content;
            }
            EXPECT_TRUE(found) << "content lost";
        }
        return run;
    }

    std::string Converted() const { return folder / "In\\??.txt"; }

    TempFolder folder{"names"};
    WalkUser user{::GetCurrentThreadId()};
    int files = 0;
};

TEST_F(ForeignName, ArrivesWithQuestionMarks) {
    MakeSelection();
    ASSERT_EQ(SelectionList().size(), 3u);
    EXPECT_EQ(SelectionList()[1], Converted());
}

TEST_F(ForeignName, CopyAndMoveAskAboutItAndGoOn) {
    for (unsigned index : {0u, 1u}) {
        SCOPED_TRACE(index);
        const Run run = RunCommand(index);
        EXPECT_TRUE(AnyBoxMentions(run.boxes, Converted())); // the missing-object question
        EXPECT_EQ(run.after.count(L"In\\c.bak"), 1u);
        EXPECT_EQ(run.after.count(L"In\\c.txt"), index == 0 ? 1u : 0u);
    }
}

TEST_F(ForeignName, RenameSeriesAsksAboutItAndGoesOn) {
    const Run run = RunCommand(2);
    // The run names its objects by the series folder, which is lower-cased.
    EXPECT_TRUE(AnyBoxMentions(run.boxes, LowerCasePath(Converted())));
    EXPECT_EQ(run.after.count(L"In\\c.txt"), 0u);
}

TEST_F(ForeignName, TimeStampReportsTheFailureOnceAtTheEnd) {
    const Run run = RunCommand(3);
    EXPECT_TRUE(AnyBoxMentions(run.boxes, LoadText(IDS_STAMP_FAILED)));
}

TEST_F(ForeignName, CaseAndClipboardLeaveItAlone) {
    for (unsigned index = 4; index <= 9; ++index) {
        SCOPED_TRACE(index);
        RunCommand(index);
    }
    const Run upper = RunCommand(7);
    EXPECT_EQ(upper.after.count(L"In\\C.TXT"), 1u);
}

} // namespace
} // namespace tarvix::test
