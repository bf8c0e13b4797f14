// The engine on the platform: real files through the platform's file system, and the progress
// window's boxes answered by the window robot as a user would. The engine's rules are tested
// natively on a file system in memory; here is what only the platform shows.
#include "fileops/FolderTransfer.h"
#include "fileops/ReplaceQuestion.h"
#include "fileops_support.h"
#include "platform/CopyProgress.h"
#include "platform/Faults.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>

namespace tarvix::test {
namespace {

using Texts_ = std::vector<std::string>;

class PlatformEngine : public ::testing::Test {
  protected:
    void TearDown() override { ClearFaults(); }

    TransferRun Run(const std::wstring& from, const std::wstring& to, bool move,
                    const std::vector<Answer>& answers = {}) {
        return RunTransfer(real.engine, from, to, move, answers);
    }

    TempFolder folder;
    RealEngine real;
};

// Volume and index of an object, or empty when it cannot be opened.
std::string FileId(const std::wstring& path) {
    HANDLE file = ::CreateFileW((L"\\\\?\\" + path).c_str(), 0, 7, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION information{};
    const bool read = ::GetFileInformationByHandle(file, &information) != FALSE;
    ::CloseHandle(file);
    if (!read) {
        return std::string();
    }
    return std::to_string(information.dwVolumeSerialNumber) + ":" +
           std::to_string(information.nFileIndexHigh) + ":" +
           std::to_string(information.nFileIndexLow);
}

// The boxes as the user reads and answers them: the Proceed question, the folder message, the
// write error, and the four-answer question, where Enter answers Yes and Esc Cancel.
TEST_F(PlatformEngine, QuestionsAndMessagesAsTheUserSeesThem) {
    WriteTextFile(folder / "a.new", "new a");
    WriteTextFile(folder / "a.old", "old a");
    WriteTextFile(folder / "b.new", "new b");
    WriteTextFile(folder / "b.old", "old b");
    MakeFolder(folder / "Taken");
    const TransferRun missing = Run(folder / "gone.txt", folder / "x.txt", true, {{"Error", IDNO}});
    const TransferRun taken = Run(folder / "a.new", folder / "Taken", false, {{"Error", IDOK}});
    PlanFault(FaultCall::FileCopy, 0);
    const TransferRun failed = Run(folder / "a.new", folder / "c.txt", false, {{"Error", IDOK}});
    EXPECT_FALSE(missing.result);
    EXPECT_EQ(Texts(missing.seen), Texts_{MissingText(folder / "gone.txt")});
    EXPECT_EQ(Texts(taken.seen), Texts_{FolderExistsText(folder / "Taken", folder / "a.new")});
    EXPECT_EQ(Texts(failed.seen), Texts_{WriteErrorText(folder / "a.new", folder / "c.txt")});

    auto press = [](WPARAM virtualKey, std::string text) {
        return [virtualKey, text](HWND box) {
            EXPECT_EQ(WindowText(::GetDlgItem(box, IDYES)), "&Yes");
            EXPECT_EQ(WindowText(::GetDlgItem(box, IDNO)), "&No");
            EXPECT_EQ(WindowText(::GetDlgItem(box, IDCANCEL)), "Cancel");
            EXPECT_EQ(WindowText(::GetDlgItem(box, kAnswerYesToAll)), "Yes to &All");
            EXPECT_EQ(MessageBoxText(box), text);
            ::PostMessageA(::GetDlgItem(box, IDYES), WM_KEYDOWN, virtualKey, 0);
        };
    };
    WindowRobot robot;
    robot.Then("Confirm", press(VK_RETURN, FileExistsText(folder / "a.old")))
        .Then("Confirm", press(VK_ESCAPE, FileExistsText(folder / "b.old")));
    robot.Start();
    EXPECT_TRUE(real.engine.TransferObject(Transfer{folder / "a.new", folder / "a.old"}, false));
    EXPECT_FALSE(real.engine.TransferObject(Transfer{folder / "b.new", folder / "b.old"}, false));
    EXPECT_TRUE(robot.AllStepsMet());
    EXPECT_EQ(robot.Finish().size(), 2u);
    EXPECT_EQ(Snapshot(folder.Path()), (Map{{"Taken", "<dir>"},
                                            {"a.new", "new a"},
                                            {"a.old", "new a"},
                                            {"b.new", "new b"},
                                            {"b.old", "old b"}}));
}

// Files held open elsewhere. The preview pane holds the selected file for reading: after Yes
// it replaces the destination all the same. A source that cannot be read, or a destination
// held without sharing, gives one write error, never a silent skip, and the old destination
// stays whole.
TEST_F(PlatformEngine, FilesHeldOpenElsewhere) {
    const Map files = {{"shown.txt", "shown"}, {"old1.txt", "old 1"}, {"locked.txt", "locked"},
                       {"old2.txt", "old 2"},  {"a.txt", "new"},      {"held.txt", "held open"}};
    for (const auto& [name, content] : files) {
        WriteTextFile(folder / name, content);
    }
    auto hold = [&](const char* name, DWORD share) {
        return ::CreateFileW((folder / name).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    const HANDLE handles[] = {hold("shown.txt", FILE_SHARE_READ), hold("locked.txt", 0),
                              hold("held.txt", 0)};
    real.engine.ReplaceMode = mrYesToAll;

    const TransferRun shown = Run(folder / "shown.txt", folder / "old1.txt", false);
    const TransferRun locked =
        Run(folder / "locked.txt", folder / "old2.txt", false, {{"Error", IDOK}});
    const TransferRun held = Run(folder / "a.txt", folder / "held.txt", true, {{"Error", IDOK}});
    for (HANDLE handle : handles) {
        ::CloseHandle(handle);
    }

    EXPECT_TRUE(shown.seen.empty());
    EXPECT_EQ(Texts(locked.seen),
              Texts_{WriteErrorText(folder / "locked.txt", folder / "old2.txt")});
    EXPECT_EQ(Texts(held.seen), Texts_{WriteErrorText(folder / "a.txt", folder / "held.txt")});
    Map expected = files;
    expected["old1.txt"] = "shown";
    EXPECT_EQ(Snapshot(folder.Path()), expected);
}

// Names the platform would otherwise clean up are the objects they name: "draft." is not its
// sibling "draft", and "nul" in a folder is a file there, not the device, so a move "to" it
// keeps every byte.
TEST_F(PlatformEngine, NamesEndingInADotOrASpaceAndDeviceNamesAreFilesOfTheirOwn) {
    WriteTextFile(folder / "draft.", "dot");
    WriteTextFile(folder / "draft", "plain");
    WriteTextFile(folder / "note ", "space");
    WriteTextFile(folder / "a.txt", "content of a");
    MakeFolder(folder / "Out");
    EXPECT_TRUE(Run(folder / "draft.", folder / "draft.bak", false).seen.empty());
    EXPECT_TRUE(Run(folder / "note ", folder / "Out\\note", true).seen.empty());
    EXPECT_TRUE(Run(folder / "a.txt", folder / "Out\\nul", true).seen.empty());
    EXPECT_EQ(Snapshot(folder.Path()), (Map{{"Out", "<dir>"},
                                            {"Out\\note", "space"},
                                            {"Out\\nul", "content of a"},
                                            {"draft", "plain"},
                                            {"draft.", "dot"},
                                            {"draft.bak", "dot"}}));
}

// On one volume a move renames the object in place: it keeps its ID, a folder of many files
// moves at once, and a read-only file moves. Across volumes it is copied, then removed.
TEST_F(PlatformEngine, MovesStayOnTheirVolumeOrCopyAcrossIt) {
    TempFolder other("other", Volume::Second);
    WriteTextFile(folder / "a.txt", "content of a");
    WriteTextFile(folder / "ro.txt", "read-only");
    ::SetFileAttributesW((folder / "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolder(folder / "Many");
    for (int i = 0; i < 300; ++i) {
        WriteTextFile(folder / ("Many\\" + std::to_string(i) + ".txt"), std::to_string(i));
    }
    WriteTextFile(folder / "b.txt", "content of b");
    WriteTextFile(folder / "old b.txt", "old b");
    MakeFolder(folder / "Out");
    const Map many = Snapshot(folder / "Many");
    const std::string fileId = FileId(folder / "a.txt");
    const std::string folderId = FileId(folder / "Many");

    EXPECT_TRUE(Run(folder / "a.txt", folder / "Out\\a.txt", true).seen.empty());
    EXPECT_TRUE(Run(folder / "ro.txt", folder / "Out\\ro.txt", true).seen.empty());
    EXPECT_TRUE(Run(folder / "Many", folder / "Out\\Many", true).seen.empty());
    const TransferRun replaced =
        Run(folder / "b.txt", folder / "old b.txt", true, {{"Confirm", IDYES}});
    EXPECT_EQ(Texts(replaced.seen), Texts_{FileExistsText(folder / "old b.txt")});
    EXPECT_EQ(FileId(folder / "Out\\a.txt"), fileId);
    EXPECT_EQ(FileId(folder / "Out\\Many"), folderId);
    EXPECT_EQ(Snapshot(folder / "Out\\Many"), many);
    EXPECT_FALSE(Exists(folder / "Many"));
    EXPECT_EQ(ReadTextFile(folder / "Out\\ro.txt"), "read-only");
    EXPECT_EQ(ReadTextFile(folder / "old b.txt"), "content of b");
    EXPECT_FALSE(Exists(folder / "b.txt"));

    const TransferRun across = Run(folder / "Out\\a.txt", other / "a.txt", true);
    const TransferRun tree = Run(folder / "Out\\Many", other / "Many", true);
    EXPECT_TRUE(across.seen.empty());
    EXPECT_TRUE(tree.seen.empty());
    EXPECT_NE(FileId(other / "a.txt"), fileId);
    EXPECT_EQ(ReadTextFile(other / "a.txt"), "content of a");
    EXPECT_EQ(Snapshot(other / "Many"), many);
    EXPECT_FALSE(Exists(folder / "Out\\a.txt"));
    EXPECT_FALSE(Exists(folder / "Out\\Many"));
    ::SetFileAttributesW((folder / "Out\\ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A deep tree is copied and then moved to another volume on a thread with a 256 KiB stack, as
// small as any shell thread's; a walk that took a kilobyte of stack per level would end the
// thread at about 250 levels. (Wine makes folders in a time that grows with the cube of the
// depth, so the 1,500 levels are walked by the native tests.)
TEST_F(PlatformEngine, DeepTreesOnASmallStack) {
    TempFolder other("other", Volume::Second);
    constexpr int kLevels = 400;
    std::wstring path = folder / "deep";
    for (int level = 0; level < kLevels; ++level) {
        MakeFolder(path);
        path += L"\\d";
    }
    WriteTextFile(path + L".txt", "at the bottom");
    struct Work {
        std::wstring from;
        std::wstring copy;
        std::wstring moved;
        bool copied = false;
        bool movedOk = false;
    } work{folder / "deep", folder / "copy", other / "moved"};
    auto run = [](LPVOID data) -> DWORD {
        auto& job = *static_cast<Work*>(data);
        RealEngine engine;
        job.copied = engine.engine.TransferObject(Transfer{job.from, job.copy}, false);
        job.movedOk = engine.engine.TransferObject(Transfer{job.copy, job.moved}, true);
        return 0;
    };
    HANDLE thread =
        ::CreateThread(nullptr, 256 * 1024, run, &work, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(::WaitForSingleObject(thread, 240000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeThread(thread, &code);
    ::CloseHandle(thread);
    EXPECT_EQ(code, 0u) << "the thread did not end on its own";
    EXPECT_TRUE(work.copied && work.movedOk);
    std::wstring bottom = other / "moved";
    for (int level = 0; level < kLevels; ++level) {
        bottom += L"\\d";
    }
    EXPECT_EQ(ReadTextFile(bottom + L".txt"), "at the bottom");
    EXPECT_FALSE(Exists(folder / "copy"));
    EXPECT_TRUE(Exists(path + L".txt"));
    RemoveTree(folder / "deep");
    RemoveTree(other / "moved");
}

// A link beside the source that leads into it (made by the host system, which Wine shows as a
// folder): copying or moving the folder through it would nest it in itself. Refused with the
// write error before anything is created.
TEST_F(PlatformEngine, AFolderIsNotCopiedIntoItselfThroughALink) {
    MakeFolder(folder / "Doc");
    WriteTextFile(folder / "Doc\\one.txt", "doc one");
    using UnixName = char*(CDECL*)(const WCHAR*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr) {
        GTEST_SKIP() << "links are made by the host system of Wine";
    }
    char* parent = unixName(folder.Path().c_str());
    std::wstring command = L"/bin/ln -s Doc " + W(parent) + L"/alias";
    ::HeapFree(::GetProcessHeap(), 0, parent);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessW(L"Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, nullptr, &startup, &process));
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    // The host's process cannot be waited for: the link is looked for instead.
    ASSERT_TRUE(WaitUntil([&] { return Exists(folder / "alias\\one.txt"); }));
    for (bool move : {false, true}) {
        const TransferRun run = Run(folder / "Doc", folder / "alias\\Doc", move, {{"Error", IDOK}});
        EXPECT_EQ(Texts(run.seen), Texts_{WriteErrorText(folder / "Doc", folder / "alias\\Doc")});
    }
    EXPECT_EQ(Snapshot(folder / "Doc"), (Map{{"one.txt", "doc one"}}));
}

// A replaced file is replaced in place (ReplaceFile); only where the volume cannot do that is
// the copy renamed over it. A replacement that keeps failing leaves the old file and no
// temporary one.
TEST_F(PlatformEngine, ReplacingFallsBackToARenameOnlyWhereTheVolumeCannotReplace) {
    const std::string big(100 * 1024, 'n');
    WriteTextFile(folder / "new.bin", big);
    WriteTextFile(folder / "a.bin", "old a");
    WriteTextFile(folder / "b.bin", "old b");
    real.engine.ReplaceMode = mrYesToAll;
    PlanFault(FaultCall::FileReplace, 0, 1, ERROR_NOT_SUPPORTED);
    EXPECT_TRUE(Run(folder / "new.bin", folder / "a.bin", false).seen.empty());
    PlanFault(FaultCall::FileReplace, 0, 100, ERROR_ACCESS_DENIED);
    const TransferRun refused = Run(folder / "new.bin", folder / "b.bin", false, {{"Error", IDOK}});
    EXPECT_EQ(Texts(refused.seen), Texts_{WriteErrorText(folder / "new.bin", folder / "b.bin")});
    const Map after = Snapshot(folder.Path());
    EXPECT_EQ(after.size(), 3u);
    EXPECT_TRUE(after.at("a.bin") == big);
    EXPECT_EQ(after.at("b.bin"), "old b");
}

// CopyFileEx's progress routine passes the bytes on, and stops the copy when told to; a tick
// that fails only ends the ticks. (Wine's CopyFileEx calls no progress routine, so it is called
// here as the system calls it, once a chunk.)
TEST(CopyProgress, TheRelayPassesTheBytesOnAndStopsTheCopy) {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> seen;
    bool stop = false;
    const CopyTick tick = [&](std::uint64_t done, std::uint64_t total) {
        seen.emplace_back(done, total);
        if (done == 3) {
            throw std::runtime_error("a window that went away");
        }
        return !stop;
    };
    CopyProgressRelay relay(tick);
    auto call = [&](LONGLONG done) {
        LARGE_INTEGER total{}, bytes{};
        total.QuadPart = 10;
        bytes.QuadPart = done;
        return CopyProgressRelay::Routine(total, bytes, {}, {}, 0, CALLBACK_CHUNK_FINISHED, nullptr,
                                          nullptr, &relay);
    };
    EXPECT_EQ(call(1), static_cast<DWORD>(PROGRESS_CONTINUE));
    stop = true;
    EXPECT_EQ(call(2), static_cast<DWORD>(PROGRESS_CANCEL));
    EXPECT_EQ(call(3), static_cast<DWORD>(PROGRESS_CONTINUE));
    EXPECT_EQ(call(4), static_cast<DWORD>(PROGRESS_CONTINUE));
    EXPECT_EQ(seen,
              (std::vector<std::pair<std::uint64_t, std::uint64_t>>{{1, 10}, {2, 10}, {3, 10}}));
}

// Under a file-size limit (tests/wine/size_limit_test.sh) a copy breaks off as it does when the
// disk is full: whatever the copy made under a final name is gone afterwards, and no temporary
// file is left; the source of a move stays.
TEST(SizeLimit, CopiesCutShortLeaveNoFileUnderTheirNames) {
    const wchar_t* prepared = ::_wgetenv(L"TARVIX_SIZE_LIMIT_FOLDER");
    if (prepared == nullptr) {
        GTEST_SKIP() << "needs the folder and the limit of size_limit_test.sh";
    }
    const std::wstring folder = prepared;
    const Map before = Snapshot(folder);
    RealEngine real;
    const TransferRun big = RunTransfer(real.engine, folder + L"\\big.bin", folder + L"\\copy.bin",
                                        false, {{"Error", IDOK}});
    const TransferRun tree = RunTransfer(real.engine, folder + L"\\Tree", folder + L"\\TreeCopy",
                                         false, {{"Error", IDOK}});

    EXPECT_EQ(Texts(big.seen),
              Texts_{WriteErrorText(folder + L"\\big.bin", folder + L"\\copy.bin")});
    EXPECT_EQ(Texts(tree.seen), Texts_{WriteErrorText(folder + L"\\Tree", folder + L"\\TreeCopy")});
    // The folder copy stays as far as it got, without a cut file; nothing else changed. (Names
    // only: the contents are megabytes.)
    std::vector<std::string> wrong;
    const Map after = Snapshot(folder);
    for (const auto& [name, content] : after) {
        const bool copied = name.rfind("TreeCopy", 0) == 0;
        const std::string original = copied ? "Tree" + name.substr(8) : name;
        if (before.count(original) == 0 || before.at(original) != content) {
            wrong.push_back(name);
        }
    }
    for (const auto& [name, content] : before) {
        if (after.count(name) == 0) {
            wrong.push_back(name + " (gone)");
        }
    }
    EXPECT_EQ(wrong, std::vector<std::string>{});
}

} // namespace
} // namespace tarvix::test
