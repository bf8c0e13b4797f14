// Batches on a file system in memory: the bar, the user's stop at every step, and a ledger of
// every file over random trees, patterns, answers and stops.
#include "MemoryFileSystem.h"
#include "ScriptedWindow.h"
#include "common/FileAttributes.h"
#include "common/PathTerms.h"
#include "fileops/BatchRun.h"
#include "fileops/CopyMoveRules.h"
#include "tests/AsciiCase.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace tarvix::test {
namespace {

using Map = std::map<std::wstring, std::string>;

TEST(Batch, TheBarRunsFromOneStepToTheCountPlusOne) {
    ScriptedWindow window;
    std::vector<std::size_t> handled;
    RunBatch(
        window, 3,
        [](std::size_t) {
            return BatchObject{L"x", std::nullopt};
        },
        [&](std::size_t index, bool) {
            handled.push_back(index);
            return true;
        });
    EXPECT_EQ(handled, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(window.max, 4);
    EXPECT_EQ(window.position, 4);
    EXPECT_TRUE(window.finished);

    // A stop by the handler (Cancel to a question) leaves the bar where it was; so does the
    // user's stop before the next object.
    for (bool byUser : {false, true}) {
        ScriptedWindow stopped;
        handled.clear();
        stopped.stopWhen = [&] { return byUser && handled.size() == 2; };
        RunBatch(
            stopped, 5,
            [](std::size_t) {
                return BatchObject{L"x", std::nullopt};
            },
            [&](std::size_t index, bool) {
                handled.push_back(index);
                return byUser || index < 1;
            });
        EXPECT_EQ(handled.size(), 2u);
        EXPECT_EQ(stopped.position, byUser ? 3 : 2);
        EXPECT_FALSE(stopped.finished);
    }
}

// Move a.txt, big.bin, Tree and z.txt to another volume, where z.txt exists, and stop at each
// step: every object is wholly moved or untouched, and no temporary file is left.
TEST(Batch, AStopLeavesEveryObjectWhollyDoneOrUntouched) {
    const std::string big(200 * 1024, 'b');
    struct Case {
        const char* name;
        std::function<bool(MemoryFileSystem&, ScriptedWindow&)> stopWhen;
        std::size_t objectsDone; // of a.txt, big.bin, Tree, z.txt
        int position;
    };
    const Case cases[] = {
        {"before the first object", [](MemoryFileSystem&, ScriptedWindow&) { return true; }, 0, 1},
        // Only the large file's ticks pass 64 KiB.
        {"while a large file is copied",
         [](MemoryFileSystem&, ScriptedWindow& w) { return w.largestTick > 64 * 1024; }, 1, 2},
        {"inside a folder, between two files",
         [](MemoryFileSystem& f, ScriptedWindow&) { return f.Calls(FsCall::CopyFileTo) >= 4; }, 2,
         3},
        {"between two objects",
         [](MemoryFileSystem&, ScriptedWindow& w) { return w.position >= 3; }, 2, 3},
        {"while the question is shown",
         [](MemoryFileSystem&, ScriptedWindow& w) { return !w.log.empty(); }, 3, 4},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        MemoryFileSystem files;
        files.AddFolder(L"C:\\in");
        files.AddFile(L"C:\\in\\a.txt", "a");
        files.AddFile(L"C:\\in\\big.bin", big);
        files.AddFolder(L"C:\\in\\Tree");
        for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) {
            files.AddFile(std::wstring(L"C:\\in\\Tree\\") + name, "in tree");
        }
        files.AddFile(L"C:\\in\\z.txt", "new z");
        files.AddFolder(L"D:\\out");
        files.AddFile(L"D:\\out\\z.txt", "old z");
        const Map source = files.Snapshot(L"C:\\in");
        ScriptedWindow window;
        window.replaceAnswers = {mrYes};
        window.stopWhen = [&] { return row.stopWhen(files, window); };
        std::vector<Transfer> objects;
        for (const wchar_t* name : {L"a.txt", L"big.bin", L"Tree", L"z.txt"}) {
            objects.push_back(
                Transfer{std::wstring(L"C:\\in\\") + name, std::wstring(L"D:\\out\\") + name});
        }
        RunTransferBatch(window, files, objects, true);

        Map expectedIn = source;
        Map expectedOut = {{L"z.txt", "old z"}};
        for (std::size_t i = 0; i < row.objectsDone; ++i) {
            const std::wstring name = BareName(objects[i].source);
            for (auto it = expectedIn.begin(); it != expectedIn.end();) {
                if (it->first == name || it->first.rfind(name + L"\\", 0) == 0) {
                    expectedOut[it->first] = it->second;
                    it = expectedIn.erase(it);
                } else {
                    ++it;
                }
            }
        }
        EXPECT_EQ(files.Snapshot(L"D:\\out").size(), expectedOut.size());
        EXPECT_TRUE(files.Snapshot(L"D:\\out") == expectedOut);
        EXPECT_TRUE(files.Snapshot(L"C:\\in") == expectedIn);
        EXPECT_EQ(window.position, row.position);
        EXPECT_FALSE(window.finished);
    }
}

// Every call the engine makes, failing at each of its first uses and for good, in a copy and in
// moves on one volume and across volumes: every failure that leaves something undone is
// reported, and no byte of the user's files is lost.
TEST(Batch, EveryFailingCallIsReportedAndLosesNothing) {
    const FsCall calls[] = {FsCall::Facts,
                            FsCall::CopyFileTo,
                            FsCall::RemoveFile,
                            FsCall::CreateFolder,
                            FsCall::RemoveEmptyFolder,
                            FsCall::SetAttributes,
                            FsCall::SetCreationTime,
                            FsCall::Move,
                            FsCall::Replace,
                            FsCall::List,
                            FsCall::ListNext,
                            FsCall::IdOf};
    struct Mode {
        const char* name;
        bool move;
        const wchar_t* out;
    };
    const Mode modes[] = {{"copy", false, L"D:\\out"},
                          {"move in place", true, L"C:\\out"},
                          {"move across", true, L"D:\\out"}};
    for (const Mode& mode : modes) {
        for (FsCall call : calls) {
            for (int passes = 0; passes <= 4; ++passes) {
                for (int failures : {1, 1000}) {
                    SCOPED_TRACE(std::string(mode.name) + ", call " +
                                 std::to_string(static_cast<int>(call)) + " after " +
                                 std::to_string(passes) + (failures > 1 ? " for good" : ""));
                    MemoryFileSystem files;
                    files.AddFolder(L"C:\\in");
                    files.AddFile(L"C:\\in\\a.txt", "a", 0, 1);
                    files.AddFile(L"C:\\in\\big.bin", std::string(100000, 'b'), 0, 2);
                    files.AddFolder(L"C:\\in\\Sub");
                    files.AddFile(L"C:\\in\\Sub\\c.txt", "c", 0, 3);
                    files.AddFolder(L"C:\\in\\Sub\\Deep");
                    files.AddFile(L"C:\\in\\Sub\\Deep\\d.doc", "d", 0, 4);
                    files.AddFolder(mode.out);
                    files.AddFile(std::wstring(mode.out) + L"\\a.txt", "old a");
                    files.AddFile(std::wstring(mode.out) + L"\\big.bin", "old big");
                    const Map sources = files.Snapshot(L"C:\\in");
                    files.Fail(call, passes, FsResult::Failed, failures);
                    ScriptedWindow window;
                    window.replaceAnswers = {mrYesToAll};
                    window.proceedAnswers = {true, true, true};
                    std::vector<Transfer> batch;
                    for (const wchar_t* name : {L"a.txt", L"big.bin", L"Sub"}) {
                        batch.push_back(Transfer{std::wstring(L"C:\\in\\") + name,
                                                 std::wstring(mode.out) + L"\\" + name});
                    }
                    RunTransferBatch(window, files, batch, mode.move);
                    const Map left = files.Snapshot(L"C:\\in");
                    const Map out = files.Snapshot(mode.out);
                    for (const auto& [path, content] : sources) {
                        const bool stayed = left.count(path) && left.at(path) == content;
                        const bool arrived = out.count(path) && out.at(path) == content;
                        EXPECT_TRUE(stayed || arrived) << "lost";
                        EXPECT_TRUE(stayed || mode.move) << "removed by a copy";
                    }
                    for (const auto& [path, content] : out) {
                        EXPECT_TRUE(path.find(L"~tmp") == std::wstring::npos)
                            << "a temporary file was left";
                    }
                    // Something undone (a source not at its destination) was reported.
                    const bool undone =
                        std::any_of(sources.begin(), sources.end(), [&](const auto& source) {
                            return !(out.count(source.first) &&
                                     out.at(source.first) == source.second);
                        });
                    const bool reported =
                        std::any_of(window.log.begin(), window.log.end(), [](const auto& line) {
                            return line.rfind(L"replace? ", 0) != 0;
                        });
                    EXPECT_TRUE(!undone || reported) << "undone without a word";
                }
            }
        }
    }
}

// Random trees, selections, patterns, answers, volumes and stops, checked against a ledger of
// every file's content: whatever the user answers, no byte is lost that the user did not agree
// to lose.
class Ledger {
  public:
    explicit Ledger(std::mt19937& random) : random_(random) {}

    std::vector<std::wstring> MakeSelection() {
        files.AddFolder(L"C:\\r\\In");
        files.AddFolder(out_ + L"\\Out");
        std::vector<std::wstring> objects;
        for (const wchar_t* name :
             {L"a.txt", L"b.txt", L"c.doc", L"d", L"a.doc", L"Fold", L"G.dir", L"x.TXT"}) {
            if (random_() % 2 == 0) {
                continue;
            }
            const std::wstring path = std::wstring(L"C:\\r\\In\\") + name;
            if (random_() % 3 == 0) {
                files.AddFolder(path);
                Fill(path);
            } else {
                MakeFile(path);
            }
            objects.push_back(path);
        }
        if (objects.empty()) {
            objects.push_back(L"C:\\r\\In\\only.txt");
            MakeFile(objects.back());
        }
        std::shuffle(objects.begin(), objects.end(), random_);
        objects.resize(1 + random_() % objects.size());
        for (const wchar_t* taken : {L"a.txt", L"b.bak", L"n.txt", L"n.doc", L"c.bak",
                                     L"Single.txt", L"a.bak", L"Fold", L"x.TXT", L"n"}) {
            if (random_() % 3 == 0) {
                MakeFile(out_ + L"\\Out\\" + taken);
            }
        }
        return objects;
    }

    // Every file by its path in lower case (a replaced file may keep the spelling of the file
    // it replaced), with its content.
    Map Files() const {
        Map ledger;
        for (const wchar_t* root : {L"C:\\r", L"D:\\r"}) {
            for (const auto& [path, content] : files.Snapshot(root)) {
                ledger[AsciiLower(std::wstring(root) + L"\\" + path)] = content;
            }
        }
        return ledger;
    }

    MemoryFileSystem files;
    std::wstring out_ = L"C:\\r";

  private:
    void MakeFile(const std::wstring& path) {
        const bool readOnly = random_() % 8 == 0;
        files.AddFile(path, "content " + std::to_string(++counter_),
                      readOnly ? kAttributeReadOnly : 0);
    }
    void Fill(const std::wstring& folder) {
        for (unsigned i = 0, count = 1 + random_() % 3; i < count; ++i) {
            MakeFile(folder + L"\\f" + std::to_wstring(i) + L".txt");
        }
        if (random_() % 3 == 0) {
            files.AddFolder(folder + L"\\Sub");
            MakeFile(folder + L"\\Sub\\deep.txt");
        }
    }

    std::mt19937& random_;
    unsigned counter_ = 0;
};

TEST(Batch, NoByteIsLostWhateverTheAnswersAndStops) {
    std::mt19937 random(4711);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Ledger ledger(random);
        if (random() % 2 == 0) {
            ledger.out_ = L"D:\\r";
        }
        const std::vector<std::wstring> objects = ledger.MakeSelection();
        const bool move = random() % 2 == 0;
        const SelectionKind kind = ClassifySelection(objects, AsciiLower);
        std::vector<std::wstring> accepted;
        for (const wchar_t* typed : {L"Single.txt", L"n.*", L"*.bak", L"*", L"*.*"}) {
            const std::optional<PatternKind> pattern = ReadPattern(typed);
            if (pattern && AcceptsPattern(kind, *pattern, [&](KeyPart part) {
                    return AnyPairShares(objects, part, AsciiLower);
                })) {
                accepted.push_back(typed);
            }
        }
        const std::wstring typed = accepted[random() % accepted.size()];
        const std::wstring folder = random() % 6 == 0 ? L"C:\\r\\In" : ledger.out_ + L"\\Out";
        const std::wstring finalPath = folder + L"\\" + typed;
        const PatternKind pattern = *ReadPattern(typed);
        std::vector<Transfer> batch;
        for (const std::wstring& object : objects) {
            batch.push_back(Transfer{object, DestinationOf(pattern, finalPath, object)});
        }
        const Map before = ledger.Files();

        ScriptedWindow window;
        const int answers[] = {mrYes, mrYes, mrNo, mrNo, mrCancel, mrYesToAll};
        for (int i = 0; i < 20; ++i) {
            window.replaceAnswers.push_back(answers[random() % 6]);
            window.proceedAnswers.push_back(true);
        }
        const std::deque<int> script = window.replaceAnswers;
        const unsigned stopAt = random() % 3 == 0 ? random() % 40 : ~0u;
        unsigned stopCalls = 0;
        window.stopWhen = [&] { return ++stopCalls > stopAt; };
        RunTransferBatch(window, ledger.files, batch, move);
        const Map after = ledger.Files();

        // The destinations the user agreed to replace: the one answered Yes, and after Yes to
        // All that one and those of every later object.
        std::set<std::wstring> agreed;
        std::size_t next = 0;
        std::size_t question = 0;
        for (const std::wstring& line : window.log) {
            if (line.rfind(L"replace? ", 0) != 0) {
                continue;
            }
            const std::wstring asked = line.substr(9);
            const int answer = script[question++];
            while (next < batch.size() && batch[next].destination != asked) {
                ++next;
            }
            for (std::size_t later = next; later < batch.size(); ++later) {
                if (answer == mrYesToAll || (answer == mrYes && later == next)) {
                    agreed.insert(AsciiLower(batch[later].destination));
                }
            }
            ++next;
        }

        std::map<std::wstring, std::string> expectedCopies;
        for (const Transfer& object : batch) {
            const std::wstring own = AsciiLower(object.source);
            const std::wstring copy = AsciiLower(object.destination);
            for (const auto& [path, content] : before) {
                if (path != own && path.rfind(own + L"\\", 0) != 0) {
                    continue;
                }
                const std::wstring copied = copy + path.substr(own.size());
                expectedCopies[copied] = content;
                if (content == "<dir>") {
                    continue;
                }
                const bool atSource = after.count(path) && after.at(path) == content;
                const bool atCopy = after.count(copied) && after.at(copied) == content;
                EXPECT_TRUE(atSource || atCopy) << "lost";
                if (!move) {
                    EXPECT_TRUE(atSource) << "removed by a copy";
                }
            }
        }
        for (const auto& [path, content] : before) {
            const bool isSource = std::any_of(batch.begin(), batch.end(), [&](const Transfer& o) {
                const std::wstring own = AsciiLower(o.source);
                return path == own || path.rfind(own + L"\\", 0) == 0;
            });
            if (!isSource && content != "<dir>" && !agreed.count(path)) {
                EXPECT_TRUE(after.count(path) && after.at(path) == content)
                    << "changed without consent";
            }
        }
        for (const auto& [path, content] : after) {
            if (!before.count(path)) {
                EXPECT_TRUE(expectedCopies.count(path) && expectedCopies.at(path) == content)
                    << "no copy of a source";
            }
        }
        if (::testing::Test::HasFailure()) {
            break;
        }
    }
}

} // namespace
} // namespace tarvix::test
