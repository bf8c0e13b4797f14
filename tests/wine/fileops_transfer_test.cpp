// TransferObject on real files, with the robot answering every box as a user would.
#include "commands/CopyMoveAs.h"
#include "fileops/FolderTransfer.h"
#include "fileops_support.h"
#include "fileops/ReplaceQuestion.h"
#include "platform/CopyProgress.h"
#include "platform/Faults.h"
#include "platform/FileTimes.h"
#include "support/FileTimesRead.h"
#include "support/TempFolder.h"

#include <winioctl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace tarvix::test {
namespace {

using Map = Map;
using Texts_ = std::vector<std::string>;

class TransferTest : public ::testing::Test {
  protected:
    void TearDown() override { ClearFaults(); }

    // a.txt, b.txt and the folder Doc with nested files, each with its own content.
    void MakeTree() {
        WriteTextFile(folder / "a.txt", "content of a");
        WriteTextFile(folder / "b.txt", "content of b");
        MakeFolder(folder / "Doc");
        WriteTextFile(folder / "Doc\\one.txt", "doc one");
        MakeFolder(folder / "Doc\\Inner");
        WriteTextFile(folder / "Doc\\Inner\\two.txt", "doc inner two");
    }

    TempFolder folder;
    TFormProgress form;
    TransferEngine engine{form};
};

TEST_F(TransferTest, MissingSourceAsksToProceedAndTouchesNothing) {
    MakeTree();
    const Map before = Snapshot(folder.Path());
    const std::wstring missing = folder / "gone.txt";

    TransferRun stop = RunTransfer(engine, missing, folder / "x.txt", true, {{"Error", IDNO}});
    EXPECT_FALSE(stop.result);
    TransferRun skip = RunTransfer(engine, missing, folder / "x.txt", false, {{"Error", IDYES}});
    EXPECT_TRUE(skip.result);

    EXPECT_EQ(Texts(stop.seen), Texts_{MissingText(missing)});
    EXPECT_EQ(Texts(skip.seen), Texts_{MissingText(missing)});
    EXPECT_EQ(Snapshot(folder.Path()), before);
}

TEST_F(TransferTest, ExistingFolderAtTheDestinationIsReportedAndSkipped) {
    MakeTree();
    MakeFolder(folder / "Taken");
    const Map before = Snapshot(folder.Path());

    TransferRun file =
        RunTransfer(engine, folder / "a.txt", folder / "Taken", true, {{"Error", IDOK}});
    TransferRun self = RunTransfer(engine, folder / "Doc", folder / "Doc", true, {{"Error", IDOK}});

    EXPECT_TRUE(file.result);
    EXPECT_TRUE(self.result);
    EXPECT_EQ(Texts(file.seen), Texts_{FolderExistsText(folder / "Taken", folder / "a.txt")});
    EXPECT_EQ(Texts(self.seen), Texts_{FolderExistsText(folder / "Doc", folder / "Doc")});
    EXPECT_EQ(Snapshot(folder.Path()), before);
}

TEST_F(TransferTest, ReplaceQuestionAnswers) {
    for (char name : std::string("pqrst")) {
        WriteTextFile(folder / (std::string(1, name) + ".new"), std::string("new ") + name);
        WriteTextFile(folder / (std::string(1, name) + ".old"), std::string("old ") + name);
    }
    auto from = [&](char name) { return folder / (std::string(1, name) + ".new"); };
    auto to = [&](char name) { return folder / (std::string(1, name) + ".old"); };
    engine.ReplaceMode = mrNo;

    TransferRun no = RunTransfer(engine, from('p'), to('p'), false, {{"Confirm", IDNO}});
    EXPECT_TRUE(no.result);
    EXPECT_EQ(engine.ReplaceMode, mrNo);
    TransferRun yes = RunTransfer(engine, from('q'), to('q'), true, {{"Confirm", IDYES}});
    EXPECT_TRUE(yes.result);
    EXPECT_EQ(engine.ReplaceMode, mrNo);
    TransferRun cancel = RunTransfer(engine, from('r'), to('r'), false, {{"Confirm", IDCANCEL}});
    EXPECT_FALSE(cancel.result);
    engine.ReplaceMode = mrNo;
    TransferRun all =
        RunTransfer(engine, from('s'), to('s'), false, {{"Confirm", kAnswerYesToAll}});
    EXPECT_EQ(engine.ReplaceMode, mrYesToAll);
    TransferRun unasked = RunTransfer(engine, from('t'), to('t'), false, {});

    EXPECT_EQ(Texts(no.seen), Texts_{FileExistsText(to('p'))});
    EXPECT_EQ(Texts(yes.seen), Texts_{FileExistsText(to('q'))});
    EXPECT_EQ(Texts(cancel.seen), Texts_{FileExistsText(to('r'))});
    EXPECT_EQ(Texts(all.seen), Texts_{FileExistsText(to('s'))});
    EXPECT_TRUE(unasked.seen.empty());
    EXPECT_EQ(Snapshot(folder.Path()), (Map{{"p.new", "new p"},
                                            {"p.old", "old p"},
                                            {"q.old", "new q"},
                                            {"r.new", "new r"},
                                            {"r.old", "old r"},
                                            {"s.new", "new s"},
                                            {"s.old", "new s"},
                                            {"t.new", "new t"},
                                            {"t.old", "new t"}}));
}

TEST_F(TransferTest, FourAnswerBoxTakesEnterForYesAndEscForCancel) {
    WriteTextFile(folder / "a.new", "new a");
    WriteTextFile(folder / "a.old", "old a");
    WriteTextFile(folder / "b.new", "new b");
    WriteTextFile(folder / "b.old", "old b");
    auto key = [](WPARAM virtualKey) {
        return [virtualKey](HWND box) {
            EXPECT_EQ(WindowText(::GetDlgItem(box, IDYES)), "&Yes");
            EXPECT_EQ(WindowText(::GetDlgItem(box, IDNO)), "&No");
            EXPECT_EQ(WindowText(::GetDlgItem(box, IDCANCEL)), "Cancel");
            EXPECT_EQ(WindowText(::GetDlgItem(box, kAnswerYesToAll)), "Yes to &All");
            EXPECT_EQ(::GetWindowLongPtrA(box, GWLP_HWNDPARENT), 0);
            ::PostMessageA(::GetDlgItem(box, IDYES), WM_KEYDOWN, virtualKey, 0);
        };
    };
    engine.ReplaceMode = mrNo;
    WindowRobot robot;
    robot.Then("Confirm", key(VK_RETURN)).Then("Confirm", key(VK_ESCAPE));
    robot.Start();
    EXPECT_TRUE(engine.TransferObject(folder / "a.new", folder / "a.old", false));
    EXPECT_FALSE(engine.TransferObject(folder / "b.new", folder / "b.old", false));
    EXPECT_TRUE(robot.AllStepsMet());
    robot.Finish();
    EXPECT_EQ(
        Snapshot(folder.Path()),
        (Map{{"a.new", "new a"}, {"a.old", "new a"}, {"b.new", "new b"}, {"b.old", "old b"}}));
}

TEST_F(TransferTest, ProtectedDestinationIsAskedThenRefused) {
    WriteTextFile(folder / "a.txt", "new");
    WriteTextFile(folder / "locked.txt", "old and read-only");
    ::SetFileAttributesW((folder / "locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    engine.ReplaceMode = mrNo;

    TransferRun run = RunTransfer(engine, folder / "a.txt", folder / "locked.txt", true,
                                  {{"Confirm", IDYES}, {"Error", IDOK}});

    EXPECT_TRUE(run.result);
    EXPECT_EQ(Texts(run.seen), (Texts_{FileExistsText(folder / "locked.txt"),
                                       ProtectedText(folder / "locked.txt")}));
    EXPECT_EQ(Snapshot(folder.Path()),
              (Map{{"a.txt", "new"}, {"locked.txt", "old and read-only"}}));
}

TEST_F(TransferTest, FileOntoItselfIsLeftAloneSilently) {
    WriteTextFile(folder / "Same.txt", "keep me");
    engine.ReplaceMode = mrNo;

    TransferRun exact =
        RunTransfer(engine, folder / "Same.txt", folder / "Same.txt", true, {{"Confirm", IDYES}});
    engine.ReplaceMode = mrYesToAll;
    TransferRun otherCase = RunTransfer(engine, folder / "Same.txt", folder / "SAME.TXT", true, {});

    EXPECT_TRUE(exact.result);
    EXPECT_EQ(Texts(exact.seen), Texts_{FileExistsText(folder / "Same.txt")});
    EXPECT_TRUE(otherCase.seen.empty());
    EXPECT_EQ(Snapshot(folder.Path()), (Map{{"Same.txt", "keep me"}}));
}

// Files held open elsewhere. The preview pane holds the selected file for reading: after Yes
// it replaces the destination all the same. A source that cannot be read, or a destination
// held without sharing, gives one write error, never a silent skip, and the old destination
// stays whole.
TEST_F(TransferTest, FilesHeldOpenElsewhere) {
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
    engine.ReplaceMode = mrYesToAll;

    const TransferRun shown =
        RunTransfer(engine, folder / "shown.txt", folder / "old1.txt", false, {});
    const TransferRun locked =
        RunTransfer(engine, folder / "locked.txt", folder / "old2.txt", false, {{"Error", IDOK}});
    const TransferRun held =
        RunTransfer(engine, folder / "a.txt", folder / "held.txt", true, {{"Error", IDOK}});
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

// A move keeps the creation time of every file and folder it copies; a copy does not. Wine
// keeps no creation time of its own, so the calls are read from the recorder.
TEST_F(TransferTest, AMoveKeepsCreationTimesACopyDoesNot) {
    MakeTree();
    std::map<std::wstring, ULONGLONG> created;
    const std::pair<const char*, const char*> moves[] = {
        {"a.txt", "moved.txt"},
        {"Doc", "MovedDoc"},
        {"Doc\\one.txt", "MovedDoc\\one.txt"},
        {"Doc\\Inner", "MovedDoc\\Inner"},
        {"Doc\\Inner\\two.txt", "MovedDoc\\Inner\\two.txt"}};
    for (const auto& [from, to] : moves) {
        const FILETIME time = ReadTimes(folder / from).created;
        created[folder / to] = (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime;
    }
    RecordFileTimeCalls(true);
    RunTransfer(engine, folder / "a.txt", folder / "copied.txt", false, {});
    const bool copyRecordedNothing = RecordedFileTimeCalls().empty();
    RunTransfer(engine, folder / "a.txt", folder / "moved.txt", true, {});
    RunTransfer(engine, folder / "Doc", folder / "MovedDoc", true, {});
    const std::vector<FileTimeCall> calls = RecordedFileTimeCalls();
    RecordFileTimeCalls(false);

    EXPECT_TRUE(copyRecordedNothing);
    std::map<std::wstring, ULONGLONG> kept;
    for (const FileTimeCall& call : calls) {
        EXPECT_TRUE(call.creation && !call.lastWrite && !call.lastAccess && call.succeeded);
        kept[call.path] = (ULONGLONG{call.time.dwHighDateTime} << 32) | call.time.dwLowDateTime;
    }
    EXPECT_EQ(kept, created);
    EXPECT_FALSE(Exists(folder / "a.txt"));
    EXPECT_FALSE(Exists(folder / "Doc"));
}

TEST_F(TransferTest, FailedReplacementKeepsTheOldFile) {
    for (FaultCall call : {FaultCall::FileCopy, FaultCall::FileMove}) {
        WriteTextFile(folder / "a.txt", "new content");
        WriteTextFile(folder / "old.txt", "precious old content");
        engine.ReplaceMode = mrNo;
        // The first copy finds the destination taken; the fault hits the one after consent.
        PlanFault(call, call == FaultCall::FileCopy ? 1 : 0);

        TransferRun run = RunTransfer(engine, folder / "a.txt", folder / "old.txt", true,
                                      {{"Confirm", IDYES}, {"Error", IDOK}});
        ClearFaults();

        EXPECT_TRUE(run.result);
        EXPECT_EQ(Texts(run.seen), (Texts_{FileExistsText(folder / "old.txt"),
                                           WriteErrorText(folder / "a.txt", folder / "old.txt")}));
        // No temporary is left beside it and the source of the move stays.
        EXPECT_EQ(Snapshot(folder.Path()),
                  (Map{{"a.txt", "new content"}, {"old.txt", "precious old content"}}));
    }
}

TEST_F(TransferTest, FolderCopyTakesNestedFilesAndAttributes) {
    MakeTree();
    WriteTextFile(folder / "Doc\\Inner\\ro.txt", "read-only inside");
    ::SetFileAttributesW((folder / "Doc\\Inner\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolder(folder / "Doc\\Empty");
    ::SetFileAttributesW((folder / "Doc\\Inner").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolder(folder / "Out");

    TransferRun run = RunTransfer(engine, folder / "Doc", folder / "Out\\Copy", false, {});

    EXPECT_TRUE(run.seen.empty());
    const Map source = Snapshot(folder / "Doc");
    EXPECT_EQ(Snapshot(folder / "Out\\Copy"), source);
    EXPECT_EQ(source.size(), 5u);
    for (const wchar_t* inside : {L"", L"\\Inner", L"\\Inner\\ro.txt", L"\\Empty"}) {
        EXPECT_EQ(::GetFileAttributesW((folder / "Out\\Copy" + inside).c_str()),
                  ::GetFileAttributesW((folder / "Doc" + inside).c_str()))
            << inside;
    }
    EXPECT_TRUE(::GetFileAttributesW((folder / "Out\\Copy\\Inner\\ro.txt").c_str()) &
                FILE_ATTRIBUTE_READONLY);
}

TEST_F(TransferTest, MoveThatCannotRemoveAReadOnlyFileKeepsBothCopies) {
    MakeTree();
    ::SetFileAttributesW((folder / "a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesW((folder / "Doc\\Inner\\two.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolder(folder / "Out");

    TransferRun file =
        RunTransfer(engine, folder / "a.txt", folder / "Out\\a.txt", true, {{"Error", IDOK}});
    TransferRun tree =
        RunTransfer(engine, folder / "Doc", folder / "Out\\Doc", true, {{"Error", IDOK}});
    TransferRun plain = RunTransfer(engine, folder / "b.txt", folder / "Out\\b.txt", true, {});

    EXPECT_EQ(Texts(file.seen), Texts_{RemoveErrorText(folder / "a.txt")});
    EXPECT_EQ(Texts(tree.seen), Texts_{RemoveErrorText(folder / "Doc")});
    EXPECT_TRUE(plain.seen.empty());
    const Map after = Snapshot(folder.Path());
    EXPECT_EQ(after.at("a.txt"), "content of a");
    EXPECT_EQ(after.at("Out\\a.txt"), "content of a");
    EXPECT_EQ(after.at("Doc\\Inner\\two.txt"), "doc inner two");
    EXPECT_EQ(after.at("Out\\Doc\\Inner\\two.txt"), "doc inner two");
    EXPECT_EQ(after.at("Out\\Doc\\one.txt"), "doc one");
    EXPECT_EQ(after.at("Out\\b.txt"), "content of b");
    EXPECT_EQ(after.count("b.txt"), 0u);
}

TEST_F(TransferTest, FolderMoveWhoseListingFailsKeepsTheSource) {
    // The listing fails at its start, then on the first step: the copy is incomplete, so it
    // is a write error and the source must not be removed.
    for (int passes : {0, 1}) {
        MakeTree();
        RemoveTree(folder / "Out");
        MakeFolder(folder / "Out");
        PlanFault(FaultCall::FolderList, passes);

        TransferRun run =
            RunTransfer(engine, folder / "Doc", folder / "Out\\Doc", true, {{"Error", IDOK}});
        ClearFaults();

        EXPECT_EQ(Texts(run.seen), Texts_{WriteErrorText(folder / "Doc", folder / "Out\\Doc")});
        const Map after = Snapshot(folder.Path());
        EXPECT_EQ(after.at("Doc\\one.txt"), "doc one");
        EXPECT_EQ(after.at("Doc\\Inner\\two.txt"), "doc inner two");
    }
}

TEST_F(TransferTest, FolderIsNeverCopiedIntoItself) {
    MakeTree();
    MakeFolder(folder / "Docs");
    const std::wstring doc = folder / "Doc";
    wchar_t shortDoc[MAX_PATH] = {};
    ::GetShortPathNameW((folder / "Doc\\Inner").c_str(), shortDoc, MAX_PATH);
    const std::wstring viaShortName = std::wstring(shortDoc) + L"\\Deeper";
    const std::wstring viaDots = folder / "Docs\\..\\DOC\\Old";
    const Map before = Snapshot(folder.Path());

    for (const std::wstring& into : {folder / "Doc\\Old", viaShortName, viaDots}) {
        TransferRun run = RunTransfer(engine, doc, into, false, {{"Error", IDOK}});
        EXPECT_TRUE(run.result);
        EXPECT_EQ(Texts(run.seen), Texts_{WriteErrorText(doc, into)}) << into;
    }
    EXPECT_EQ(Snapshot(folder.Path()), before);

    TransferRun beside = RunTransfer(engine, doc, folder / "Docs\\Doc", false, {});
    EXPECT_TRUE(beside.seen.empty());
    EXPECT_EQ(Snapshot(folder / "Docs\\Doc"), Snapshot(doc));
}

bool IsLink(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A junction: an empty folder made a mount point of `target` (documented reparse layout).
bool MakeJunction(const std::wstring& link, const std::wstring& target) {
    if (!::CreateDirectoryW(link.c_str(), nullptr)) {
        return false;
    }
    const std::wstring substitute = L"\\??\\" + target;
    const auto substituteBytes = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
    std::vector<BYTE> buffer(8 + 8 + substituteBytes + 2 * sizeof(wchar_t));
    auto word = [&](std::size_t offset, WORD value) { std::memcpy(&buffer[offset], &value, 2); };
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    std::memcpy(&buffer[0], &tag, 4);
    word(4, static_cast<WORD>(buffer.size() - 8));
    word(8, 0);                                                     // substitute offset
    word(10, substituteBytes);                                      // substitute length
    word(12, static_cast<WORD>(substituteBytes + sizeof(wchar_t))); // print name offset
    word(14, 0);                                                    // print name length
    std::memcpy(&buffer[16], substitute.data(), substituteBytes);
    HANDLE folderHandle =
        ::CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (folderHandle == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD returned = 0;
    const BOOL made =
        ::DeviceIoControl(folderHandle, FSCTL_SET_REPARSE_POINT, buffer.data(),
                          static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
    ::CloseHandle(folderHandle);
    return made && IsLink(link);
}

// A link to a folder: a symbolic link, else a junction, where the system can make one.
bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
    if (::CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY)) {
        return IsLink(link);
    }
    const bool made = MakeJunction(link, target);
    if (!made) {
        ::RemoveDirectoryW(link.c_str());
    }
    return made;
}

TEST_F(TransferTest, MovedFolderLeavesTheTargetOfALinkInsideIt) {
    MakeTree();
    MakeFolder(folder / "Outside");
    WriteTextFile(folder / "Outside\\precious.txt", "not part of the move");
    if (!MakeFolderLink(folder / "Doc\\Link", folder / "Outside")) {
        GTEST_SKIP() << "this system cannot make a link to a folder here";
    }
    MakeFolder(folder / "Out");

    TransferRun run = RunTransfer(engine, folder / "Doc", folder / "Out\\Doc", true, {});

    EXPECT_TRUE(run.seen.empty());
    EXPECT_FALSE(Exists(folder / "Doc"));
    EXPECT_EQ(ReadTextFile(folder / "Outside\\precious.txt"), "not part of the move");
    EXPECT_EQ(ReadTextFile(folder / "Out\\Doc\\Inner\\two.txt"), "doc inner two");
}

TEST_F(TransferTest, RemoveFolderRemovesALinkItself) {
    MakeFolder(folder / "Target");
    WriteTextFile(folder / "Target\\kept.txt", "kept");
    if (!MakeFolderLink(folder / "Link", folder / "Target")) {
        GTEST_SKIP() << "this system cannot make a link to a folder here";
    }
    EXPECT_TRUE(RemoveFolder(folder / "Link"));
    EXPECT_FALSE(Exists(folder / "Link"));
    EXPECT_EQ(ReadTextFile(folder / "Target\\kept.txt"), "kept");
}

// Wine's CopyFileEx calls no progress routine, so the pacer is driven here as the system
// drives it on Windows, once a chunk.
TEST(CopyProgress, AtMostEveryIntervalTheWindowIsRepaintedAndNothingTakenOffTheQueue) {
    ::PostMessageA(nullptr, WM_USER + 7, 0, 0);
    int repaints = 0;
    CopyProgressPacer pacer([&] { ++repaints; });
    const ULONGLONG start = ::GetTickCount64();
    while (::GetTickCount64() - start < 3 * CopyProgressPacer::kIntervalMs + 50) {
        CopyProgressPacer::Routine({}, {}, {}, {}, 0, CALLBACK_CHUNK_FINISHED, nullptr, nullptr,
                                   &pacer);
        ::Sleep(2);
    }
    EXPECT_GE(repaints, 2);
    EXPECT_LE(repaints, 3);
    MSG message;
    EXPECT_TRUE(::PeekMessageA(&message, nullptr, WM_USER + 7, WM_USER + 7, PM_REMOVE));
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
    TFormProgress form;
    TransferEngine engine(form);
    const TransferRun big =
        RunTransfer(engine, folder + L"\\big.bin", folder + L"\\copy.bin", true, {{"Error", IDOK}});
    const TransferRun tree =
        RunTransfer(engine, folder + L"\\Tree", folder + L"\\TreeCopy", false, {{"Error", IDOK}});

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

TEST(CopyMoveBatch, CancelStopsBeforeTheNextStepAndNoAsksAgain) {
    TempFolder folder;
    MakeFolder(folder / "In");
    MakeFolder(folder / "Out");
    for (const char* name : {"a", "b", "c", "d"}) {
        WriteTextFile(folder / ("In\\" + std::string(name) + ".txt"), std::string("new ") + name);
    }
    for (const char* name : {"b", "c", "d"}) {
        WriteTextFile(folder / ("Out\\" + std::string(name) + ".txt"), std::string("old ") + name);
    }
    const std::vector<std::wstring> objects{folder / "In\\a.txt", folder / "In\\b.txt",
                                            folder / "In\\c.txt", folder / "In\\d.txt"};
    auto form = std::make_unique<TFormProgress>();
    form->SetCaption(L"Move");
    WindowRobot robot;
    robot.Answer("Confirm", IDNO).Answer("Confirm", IDCANCEL);
    robot.Start();

    RunCopyMoveBatch(*form, objects, folder / "Out\\*.*", pkKeepBoth, true);
    const int position = form->Position();
    form.reset(); // the robot reads this thread's windows through messages
    const std::vector<SeenWindow> seen = robot.Finish();

    EXPECT_EQ(position, 3); // the initial step, a.txt done, b.txt skipped; c.txt cancelled
    std::vector<std::string> questions;
    for (const SeenWindow& window : seen) {
        if (window.expected) {
            questions.push_back(window.text);
        }
    }
    EXPECT_EQ(questions, (std::vector<std::string>{FileExistsText(folder / "Out\\b.txt"),
                                                   FileExistsText(folder / "Out\\c.txt")}));
    EXPECT_EQ(Snapshot(folder.Path()), (Map{{"In", "<dir>"},
                                            {"In\\b.txt", "new b"},
                                            {"In\\c.txt", "new c"},
                                            {"In\\d.txt", "new d"},
                                            {"Out", "<dir>"},
                                            {"Out\\a.txt", "new a"},
                                            {"Out\\b.txt", "old b"},
                                            {"Out\\c.txt", "old c"},
                                            {"Out\\d.txt", "old d"}}));
}

} // namespace
} // namespace tarvix::test
