// The engine's rules on a file system in memory: the checks, the questions and their modes, moves
// in place and across volumes, the folder walks, the temporary names, and what is never lost.
#include "MemoryFileSystem.h"
#include "ScriptedWindow.h"
#include "common/FileAttributes.h"
#include "fileops/BatchRun.h"
#include "fileops/Transfer.h"

#include <gtest/gtest.h>

#include <pthread.h>

namespace tarvix::test {
namespace {

using Map = std::map<std::wstring, std::string>;
using Log = std::vector<std::wstring>;

constexpr std::uint32_t kCloudPinned = 0x80000;

class Engine : public ::testing::Test {
  protected:
    bool Run(const std::wstring& from, const std::wstring& to, bool move) {
        return engine.TransferObject(Transfer{from, to}, move);
    }
    Map Tree(const std::wstring& root = L"C:\\w") const { return files.Snapshot(root); }
    void MakeTree() {
        files.AddFolder(L"C:\\w");
        files.AddFile(L"C:\\w\\a.txt", "content of a", 0, 11);
        files.AddFile(L"C:\\w\\b.txt", "content of b", 0, 12);
        files.AddFolder(L"C:\\w\\Doc");
        files.AddFile(L"C:\\w\\Doc\\one.txt", "doc one", 0, 13);
        files.AddFolder(L"C:\\w\\Doc\\Inner");
        files.AddFile(L"C:\\w\\Doc\\Inner\\two.txt", "doc inner two", 0, 14);
        files.AddFolder(L"D:\\out");
    }
    Map DocTree(const std::wstring& at) const {
        return {{at, "<dir>"},
                {at + L"\\Inner", "<dir>"},
                {at + L"\\Inner\\two.txt", "doc inner two"},
                {at + L"\\one.txt", "doc one"}};
    }

    MemoryFileSystem files;
    ScriptedWindow user;
    TransferEngine engine{files, user};
};

TEST_F(Engine, MissingSourceAsksToProceedAndTouchesNothing) {
    MakeTree();
    const Map before = Tree();
    user.proceedAnswers = {false, true};
    EXPECT_FALSE(Run(L"C:\\w\\gone.txt", L"C:\\w\\x.txt", true));
    EXPECT_TRUE(Run(L"C:\\w\\gone.txt", L"C:\\w\\x.txt", false));
    EXPECT_EQ(user.log, (Log{L"proceed? C:\\w\\gone.txt", L"proceed? C:\\w\\gone.txt"}));
    EXPECT_EQ(Tree(), before);
}

TEST_F(Engine, ExistingFolderAtTheDestinationIsReportedAndSkipped) {
    for (bool move : {false, true}) {
        MakeTree();
        files.AddFolder(L"C:\\w\\Taken");
        const Map before = Tree();
        user.log.clear();
        EXPECT_TRUE(Run(L"C:\\w\\a.txt", L"C:\\w\\Taken", move));
        EXPECT_TRUE(Run(L"C:\\w\\Doc", L"C:\\w\\Doc", move));
        EXPECT_EQ(user.log, (Log{L"folder exists C:\\w\\Taken C:\\w\\a.txt",
                                 L"folder exists C:\\w\\Doc C:\\w\\Doc"}));
        EXPECT_EQ(Tree(), before);
    }
}

// p: No, q: Yes, r: Cancel, s: Yes to All, t: no more question. The same answers give the same
// files in a copy, a move in place and a move to another volume.
TEST_F(Engine, ReplaceQuestionAnswersAndTheirModes) {
    struct Mode {
        const wchar_t* name;
        bool move;
        const wchar_t* destinationFolder;
    };
    for (const Mode& mode : {Mode{L"copy", false, L"C:\\w"}, Mode{L"move in place", true, L"C:\\w"},
                             Mode{L"move across", true, L"D:\\w"}}) {
        SCOPED_TRACE(mode.name);
        files = MemoryFileSystem();
        files.AddFolder(L"C:\\w");
        files.AddFolder(L"D:\\w");
        const std::wstring to = mode.destinationFolder;
        for (wchar_t name : std::wstring(L"pqrst")) {
            files.AddFile(L"C:\\w\\" + std::wstring(1, name) + L".new",
                          "new " + std::string(1, static_cast<char>(name)));
            files.AddFile(to + L"\\" + std::wstring(1, name) + L".old",
                          "old " + std::string(1, static_cast<char>(name)));
        }
        auto from = [](wchar_t name) { return L"C:\\w\\" + std::wstring(1, name) + L".new"; };
        auto onto = [&](wchar_t name) { return to + L"\\" + std::wstring(1, name) + L".old"; };
        user = ScriptedWindow();
        user.replaceAnswers = {mrNo, mrYes, mrCancel, mrYesToAll};
        engine.ReplaceMode = mrNo;

        EXPECT_TRUE(Run(from(L'p'), onto(L'p'), mode.move));
        EXPECT_EQ(engine.ReplaceMode, mrNo);
        EXPECT_TRUE(Run(from(L'q'), onto(L'q'), mode.move));
        EXPECT_EQ(engine.ReplaceMode, mrNo);
        EXPECT_FALSE(Run(from(L'r'), onto(L'r'), mode.move));
        engine.ReplaceMode = mrNo;
        EXPECT_TRUE(Run(from(L's'), onto(L's'), mode.move));
        EXPECT_EQ(engine.ReplaceMode, mrYesToAll);
        EXPECT_TRUE(Run(from(L't'), onto(L't'), mode.move));

        EXPECT_EQ(user.log, (Log{L"replace? " + onto(L'p'), L"replace? " + onto(L'q'),
                                 L"replace? " + onto(L'r'), L"replace? " + onto(L's')}));
        Map expected = {{L"p.new", "new p"}, {L"r.new", "new r"}};
        Map destination = {{L"p.old", "old p"},
                           {L"q.old", "new q"},
                           {L"r.old", "old r"},
                           {L"s.old", "new s"},
                           {L"t.old", "new t"}};
        if (!mode.move) {
            expected.insert({{L"q.new", "new q"}, {L"s.new", "new s"}, {L"t.new", "new t"}});
        }
        if (to == L"C:\\w") {
            expected.insert(destination.begin(), destination.end());
        } else {
            EXPECT_EQ(files.Snapshot(to), destination);
        }
        EXPECT_EQ(Tree(), expected);
    }
}

TEST_F(Engine, ProtectedDestinationIsAskedThenRefused) {
    files.AddFolder(L"C:\\w");
    files.AddFile(L"C:\\w\\a.txt", "new");
    files.AddFile(L"C:\\w\\locked.txt", "old and read-only", kAttributeReadOnly);
    user.replaceAnswers = {mrYes};
    EXPECT_TRUE(Run(L"C:\\w\\a.txt", L"C:\\w\\locked.txt", true));
    EXPECT_EQ(user.log, (Log{L"replace? C:\\w\\locked.txt", L"protected C:\\w\\locked.txt"}));
    EXPECT_EQ(Tree(), (Map{{L"a.txt", "new"}, {L"locked.txt", "old and read-only"}}));
}

TEST_F(Engine, FileOntoItselfIsLeftAloneSilently) {
    for (bool move : {false, true}) {
        files = MemoryFileSystem();
        files.AddFolder(L"C:\\w");
        files.AddFile(L"C:\\w\\Same.txt", "keep me");
        user = ScriptedWindow();
        user.replaceAnswers = {mrYes};
        engine.ReplaceMode = mrNo;
        EXPECT_TRUE(Run(L"C:\\w\\Same.txt", L"C:\\w\\Same.txt", move));
        engine.ReplaceMode = mrYesToAll;
        EXPECT_TRUE(Run(L"C:\\w\\Same.txt", L"C:\\w\\SAME.TXT", move));
        EXPECT_EQ(user.log, Log{L"replace? C:\\w\\Same.txt"});
        EXPECT_EQ(Tree(), (Map{{L"Same.txt", "keep me"}}));
    }
}

// On one volume a move is a rename: the object keeps its ID (no copy was made), a folder moves
// whole without a walk, a read-only file moves, and nothing is ever duplicated.
TEST_F(Engine, OnOneVolumeAMoveRenamesInPlace) {
    MakeTree();
    files.AddFile(L"C:\\w\\ro.txt", "read-only", kAttributeReadOnly);
    files.AddFile(L"C:\\w\\Doc\\Inner\\ro.txt", "read-only inside", kAttributeReadOnly);
    files.AddFolder(L"C:\\w\\Out");
    files.AddFile(L"C:\\w\\Out\\b.txt", "old b");
    const auto fileId = files.IdOf(L"C:\\w\\a.txt");
    const auto folderId = files.IdOf(L"C:\\w\\Doc");
    user.replaceAnswers = {mrYes};

    EXPECT_TRUE(Run(L"C:\\w\\a.txt", L"C:\\w\\Out\\a.txt", true));
    EXPECT_TRUE(Run(L"C:\\w\\ro.txt", L"C:\\w\\Out\\ro.txt", true));
    EXPECT_TRUE(Run(L"C:\\w\\Doc", L"C:\\w\\Out\\Doc", true));
    EXPECT_TRUE(Run(L"C:\\w\\b.txt", L"C:\\w\\Out\\b.txt", true));

    EXPECT_EQ(user.log, Log{L"replace? C:\\w\\Out\\b.txt"});
    EXPECT_EQ(files.Calls(FsCall::CopyFileTo), 0);
    EXPECT_EQ(files.Calls(FsCall::List), 0);
    EXPECT_EQ(CompareIds(files.IdOf(L"C:\\w\\Out\\a.txt"), fileId), Identity::Same);
    EXPECT_EQ(CompareIds(files.IdOf(L"C:\\w\\Out\\Doc"), folderId), Identity::Same);
    Map expected = {{L"Out", "<dir>"},
                    {L"Out\\a.txt", "content of a"},
                    {L"Out\\b.txt", "content of b"},
                    {L"Out\\ro.txt", "read-only"}};
    for (const auto& [path, content] : DocTree(L"Out\\Doc")) {
        expected[path] = content;
    }
    expected[L"Out\\Doc\\Inner\\ro.txt"] = "read-only inside";
    EXPECT_EQ(Tree(), expected);
    EXPECT_EQ(files.AttributesOf(L"C:\\w\\Out\\ro.txt"), kAttributeReadOnly);
}

TEST_F(Engine, AMoveInPlaceThatFailsKeepsTheSource) {
    MakeTree();
    files.AddFolder(L"C:\\w\\Out");
    const Map before = Tree();
    files.Fail(FsCall::Move, 0, FsResult::Failed, 2);
    EXPECT_TRUE(Run(L"C:\\w\\a.txt", L"C:\\w\\Out\\a.txt", true));
    EXPECT_TRUE(Run(L"C:\\w\\Doc", L"C:\\w\\Out\\Doc", true));
    EXPECT_EQ(user.log, (Log{L"write error C:\\w\\a.txt C:\\w\\Out\\a.txt",
                             L"write error C:\\w\\Doc C:\\w\\Out\\Doc"}));
    EXPECT_EQ(Tree(), before);
}

// Across volumes a move copies, verifies the copy and then removes the source: a read-only file
// stays where it was (and its copy stands), and a move keeps the creation times a copy renews.
TEST_F(Engine, AcrossVolumesAMoveCopiesThenRemoves) {
    MakeTree();
    files.AddFile(L"C:\\w\\ro.txt", "read-only", kAttributeReadOnly, 15);
    EXPECT_TRUE(Run(L"C:\\w\\a.txt", L"D:\\out\\a.txt", true));
    EXPECT_TRUE(Run(L"C:\\w\\b.txt", L"D:\\out\\b.txt", false));
    EXPECT_TRUE(Run(L"C:\\w\\Doc", L"D:\\out\\Doc", true));
    EXPECT_TRUE(Run(L"C:\\w\\ro.txt", L"D:\\out\\ro.txt", true));

    EXPECT_EQ(user.log, Log{L"remove error C:\\w\\ro.txt"});
    EXPECT_EQ(files.Calls(FsCall::Move), 1) << "a rename between the two folders is tried once";
    EXPECT_EQ(Tree(), (Map{{L"b.txt", "content of b"}, {L"ro.txt", "read-only"}}));
    Map expected = {
        {L"a.txt", "content of a"}, {L"b.txt", "content of b"}, {L"ro.txt", "read-only"}};
    for (const auto& [path, content] : DocTree(L"Doc")) {
        expected[path] = content;
    }
    EXPECT_EQ(files.Snapshot(L"D:\\out"), expected);
    EXPECT_EQ(files.CreatedOf(L"D:\\out\\a.txt"), 11u);
    EXPECT_NE(files.CreatedOf(L"D:\\out\\b.txt"), 12u);
    EXPECT_EQ(files.CreatedOf(L"D:\\out\\Doc\\one.txt"), 13u);
    EXPECT_EQ(files.CreatedOf(L"D:\\out\\Doc\\Inner\\two.txt"), 14u);
}

// Whatever took the copy (here a device name that swallows what is written to it), the source
// of a move is removed only once its copy is there.
TEST_F(Engine, AMoveNeverRemovesASourceWhoseCopyIsNotThere) {
    MakeTree();
    files.SwallowCopiesTo(L"nul");
    files.SwallowCopiesTo(L"NUL.txt");
    EXPECT_TRUE(Run(L"C:\\w\\a.txt", L"D:\\out\\nul", true));
    EXPECT_TRUE(Run(L"C:\\w\\b.txt", L"D:\\out\\NUL.txt", true));
    EXPECT_EQ(user.log, (Log{L"write error C:\\w\\a.txt D:\\out\\nul",
                             L"write error C:\\w\\b.txt D:\\out\\NUL.txt"}));
    EXPECT_EQ(Tree().count(L"a.txt"), 1u);
    EXPECT_EQ(Tree().count(L"b.txt"), 1u);
}

// A large file's copy over another volume's file, broken off in the copy or at the final
// replacement.
TEST_F(Engine, FailedReplacementKeepsTheOldFile) {
    for (FsCall call : {FsCall::CopyFileTo, FsCall::Replace}) {
        files = MemoryFileSystem();
        files.AddFolder(L"C:\\w");
        files.AddFolder(L"D:\\w");
        files.AddFile(L"C:\\w\\a.txt", std::string(100000, 'n'));
        files.AddFile(L"D:\\w\\old.txt", "precious old content");
        user = ScriptedWindow();
        user.replaceAnswers = {mrYes};
        engine.ReplaceMode = mrNo;
        files.Fail(call, 0, FsResult::Failed);
        EXPECT_TRUE(Run(L"C:\\w\\a.txt", L"D:\\w\\old.txt", true));
        EXPECT_EQ(user.log,
                  (Log{L"replace? D:\\w\\old.txt", L"write error C:\\w\\a.txt D:\\w\\old.txt"}));
        // No temporary is left beside it and the source of the move stays.
        EXPECT_EQ(files.Snapshot(L"D:\\w"), (Map{{L"old.txt", "precious old content"}}));
        EXPECT_EQ(Tree().count(L"a.txt"), 1u);
    }
}

// A replaced file keeps what makes it that file: its ID stays, only the content is new.
TEST_F(Engine, ReplacingKeepsTheIdentityOfTheReplacedFile) {
    files.AddFolder(L"C:\\w");
    files.AddFile(L"C:\\w\\a.txt", std::string(70000, 'a'));
    files.AddFile(L"C:\\w\\small.txt", "small");
    files.AddFile(L"C:\\w\\old.txt", "old");
    files.AddFile(L"C:\\w\\old2.txt", "old 2");
    const auto oldId = files.IdOf(L"C:\\w\\old.txt");
    const auto old2Id = files.IdOf(L"C:\\w\\old2.txt");
    engine.ReplaceMode = mrYesToAll;
    EXPECT_TRUE(Run(L"C:\\w\\a.txt", L"C:\\w\\old.txt", false));
    EXPECT_TRUE(Run(L"C:\\w\\small.txt", L"C:\\w\\old2.txt", false));
    EXPECT_EQ(CompareIds(files.IdOf(L"C:\\w\\old.txt"), oldId), Identity::Same);
    EXPECT_EQ(CompareIds(files.IdOf(L"C:\\w\\old2.txt"), old2Id), Identity::Same);
    EXPECT_TRUE(Tree().at(L"old.txt") == std::string(70000, 'a'));
    EXPECT_EQ(Tree().at(L"old2.txt"), "small");
}

// Files up to 64 KiB are written straight under their name; larger ones through a temporary
// name that takes the final name only once complete.
TEST_F(Engine, SmallFilesAreCopiedStraightLargerOnesThroughATemporaryName) {
    files.AddFolder(L"C:\\w");
    files.AddFile(L"C:\\w\\limit.bin", std::string(64 * 1024, 'l'));
    files.AddFile(L"C:\\w\\over.bin", std::string(64 * 1024 + 1, 'o'));
    EXPECT_TRUE(Run(L"C:\\w\\limit.bin", L"C:\\w\\limit2.bin", false));
    EXPECT_EQ(files.Calls(FsCall::Move), 0);
    // A copy broken off under a temporary name leaves nothing.
    files.Fail(FsCall::CopyFileTo, 0, FsResult::Failed);
    EXPECT_TRUE(Run(L"C:\\w\\over.bin", L"C:\\w\\over2.bin", false));
    EXPECT_EQ(files.Calls(FsCall::Move), 0);
    EXPECT_TRUE(Run(L"C:\\w\\over.bin", L"C:\\w\\over2.bin", false));
    EXPECT_EQ(files.Calls(FsCall::Move), 1);
    EXPECT_EQ(user.log, Log{L"write error C:\\w\\over.bin C:\\w\\over2.bin"});
    EXPECT_EQ(Tree().size(), 4u);
    EXPECT_EQ(Tree().at(L"over2.bin").size(), 64 * 1024 + 1u);
}

// A scanner holding a fresh file for a moment delays the final rename and the removal, never
// fails them; one that holds it for good gives the write error and leaves no temporary file.
TEST_F(Engine, BusyFilesAreTriedAgainBriefly) {
    files.AddFolder(L"C:\\w");
    files.AddFolder(L"D:\\w");
    files.AddFile(L"C:\\w\\a.bin", std::string(70000, 'a'));
    files.AddFile(L"C:\\w\\b.bin", std::string(70000, 'b'));
    files.Fail(FsCall::Move, 1, FsResult::Busy, 2); // the first move is the one in place
    files.Fail(FsCall::RemoveFile, 0, FsResult::Busy, 1);
    EXPECT_TRUE(Run(L"C:\\w\\a.bin", L"D:\\w\\a.bin", true));
    EXPECT_EQ(files.Pauses(), 3);
    EXPECT_TRUE(user.log.empty());
    files.Fail(FsCall::Move, 0, FsResult::Busy, 100); // the rename in place is known to fail
    EXPECT_TRUE(Run(L"C:\\w\\b.bin", L"D:\\w\\b.bin", true));
    EXPECT_EQ(user.log, Log{L"write error C:\\w\\b.bin D:\\w\\b.bin"});
    EXPECT_EQ(files.Snapshot(L"D:\\w").size(), 1u);
    EXPECT_EQ(files.Snapshot(L"D:\\w").count(L"a.bin"), 1u);
    EXPECT_EQ(Tree().size(), 1u);
    EXPECT_EQ(Tree().count(L"b.bin"), 1u);
}

// A copied folder takes its source's read-only, hidden, system, archive and not-indexed marks,
// never the file system's own (a cloud pin would pin the whole copy).
TEST_F(Engine, FolderCopyTakesNestedFilesAndOnlyTheUsersMarks) {
    MakeTree();
    files.AddFolder(L"C:\\w\\Doc\\Empty", kAttributeHidden | kCloudPinned);
    files.AddFile(L"C:\\w\\Doc\\Inner\\ro.txt", "read-only inside", kAttributeReadOnly);
    files.SetAttributes(L"C:\\w\\Doc\\Inner", kAttributeReadOnly | kCloudPinned);
    EXPECT_TRUE(Run(L"C:\\w\\Doc", L"D:\\out\\Copy", false));
    EXPECT_TRUE(user.log.empty());
    EXPECT_EQ(files.Snapshot(L"D:\\out\\Copy"), files.Snapshot(L"C:\\w\\Doc"));
    EXPECT_EQ(files.AttributesOf(L"D:\\out\\Copy\\Inner"), kAttributeReadOnly);
    EXPECT_EQ(files.AttributesOf(L"D:\\out\\Copy\\Empty"), kAttributeHidden);
    EXPECT_EQ(files.AttributesOf(L"D:\\out\\Copy\\Inner\\ro.txt"), kAttributeReadOnly);
}

// A listing that cannot start or breaks off has not copied everything: a write error, and the
// source of the move stays whole.
TEST_F(Engine, AFolderMoveWhoseListingFailsKeepsTheSource) {
    for (FsCall call : {FsCall::List, FsCall::ListNext}) {
        files = MemoryFileSystem();
        MakeTree();
        user = ScriptedWindow();
        files.Fail(call, 1, FsResult::Failed);
        EXPECT_TRUE(Run(L"C:\\w\\Doc", L"D:\\out\\Doc", true));
        EXPECT_EQ(user.log, Log{L"write error C:\\w\\Doc D:\\out\\Doc"});
        EXPECT_EQ(Tree().count(L"Doc\\Inner\\two.txt"), 1u);
        EXPECT_EQ(Tree().count(L"Doc\\one.txt"), 1u);
    }
}

// By spelling (also through ".."), and by identity where another name leads into the source (a
// link beside it): nothing is created inside the source, in a copy or a move.
TEST_F(Engine, FolderIsNeverCopiedIntoItself) {
    MakeTree();
    files.AddFolder(L"C:\\w\\Docs");
    files.AddFolderLink(L"C:\\w\\alias", L"C:\\w\\Doc");
    const Map before = Tree();
    const std::wstring doc = L"C:\\w\\Doc";
    for (bool move : {false, true}) {
        for (const std::wstring& into :
             {doc + L"\\Old", std::wstring(L"C:\\w\\Docs\\..\\DOC\\Old"),
              std::wstring(L"C:\\w\\alias\\Doc"), std::wstring(L"C:\\w\\alias\\Inner\\Doc")}) {
            user.log.clear();
            EXPECT_TRUE(Run(doc, into, move));
            EXPECT_EQ(user.log, Log{L"write error " + doc + L" " + into}) << into;
        }
    }
    EXPECT_EQ(Tree(), before);
    EXPECT_TRUE(Run(doc, L"C:\\w\\Docs\\Doc", false));
    EXPECT_EQ(files.Snapshot(L"C:\\w\\Docs\\Doc"), files.Snapshot(doc));
}

// Runs `work` on a thread with a stack of `bytes`, as small as a shell thread's may be.
void OnSmallStack(std::size_t bytes, const std::function<void()>& work) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, bytes);
    pthread_t thread;
    auto run = [](void* data) -> void* {
        (*static_cast<const std::function<void()>*>(data))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

// A tree 1,500 levels deep (a path of over 3,000 characters) is copied and moved whole on a
// thread with a 256 KiB stack: a walk that took stack per level would end the thread.
TEST_F(Engine, DeepTreesOnASmallStack) {
    constexpr int kLevels = 1500;
    files.AddFolder(L"C:\\w");
    files.AddFolder(L"D:\\out");
    std::wstring path = L"C:\\w\\deep";
    for (int level = 0; level < kLevels; ++level) {
        files.AddFolder(path);
        path += L"\\d";
    }
    files.AddFile(path + L".txt", "at the bottom");
    const Map tree = files.Snapshot(L"C:\\w\\deep");
    OnSmallStack(256 * 1024, [&] {
        EXPECT_TRUE(Run(L"C:\\w\\deep", L"C:\\w\\copy", false));
        EXPECT_TRUE(Run(L"C:\\w\\copy", L"D:\\out\\moved", true));
    });
    EXPECT_TRUE(user.log.empty());
    EXPECT_EQ(files.Snapshot(L"D:\\out\\moved"), tree);
    EXPECT_FALSE(files.Exists(L"C:\\w\\copy"));
    EXPECT_EQ(files.Snapshot(L"C:\\w\\deep"), tree);
}

// Explorer marks customised folders read-only; the platform refuses to remove such a folder
// until the mark is off. A read-only file inside stays the user's mark: it stops the removal.
TEST_F(Engine, ReadOnlyFoldersAreRemovedReadOnlyFilesAreNot) {
    MakeTree();
    files.SetAttributes(L"C:\\w\\Doc", kAttributeReadOnly);
    files.SetAttributes(L"C:\\w\\Doc\\Inner", kAttributeReadOnly);
    EXPECT_TRUE(Run(L"C:\\w\\Doc", L"D:\\out\\Doc", true));
    EXPECT_TRUE(user.log.empty());
    EXPECT_FALSE(files.Exists(L"C:\\w\\Doc"));

    files.AddFolder(L"C:\\w\\Kept");
    files.AddFile(L"C:\\w\\Kept\\a.txt", "a");
    files.AddFile(L"C:\\w\\Kept\\ro.txt", "ro", kAttributeReadOnly);
    files.AddFile(L"C:\\w\\Kept\\z.txt", "z");
    EXPECT_TRUE(Run(L"C:\\w\\Kept", L"D:\\out\\Kept", true));
    EXPECT_EQ(user.log, Log{L"remove error C:\\w\\Kept"});
    EXPECT_EQ(files.Snapshot(L"C:\\w\\Kept"), (Map{{L"ro.txt", "ro"}, {L"z.txt", "z"}}));
    EXPECT_EQ(files.Snapshot(L"D:\\out\\Kept").size(), 3u);
}

// A link inside a moved folder is moved as a link: what it names stays untouched.
TEST_F(Engine, LinksInsideAMovedFolderStayLinks) {
    MakeTree();
    files.AddFolder(L"C:\\w\\Outside");
    files.AddFile(L"C:\\w\\Outside\\precious.txt", "not part of the move");
    files.AddFolderLink(L"C:\\w\\Doc\\Link", L"C:\\w\\Outside");
    EXPECT_TRUE(Run(L"C:\\w\\Doc", L"D:\\out\\Doc", true));
    EXPECT_TRUE(user.log.empty());
    EXPECT_FALSE(files.Exists(L"C:\\w\\Doc"));
    EXPECT_EQ(files.Snapshot(L"D:\\out\\Doc").at(L"Link"), "<link>");
    EXPECT_EQ(Tree().at(L"Outside\\precious.txt"), "not part of the move");
}

} // namespace
} // namespace tarvix::test
