// Random trees, selections, patterns and answers, checked against a ledger of every file's
// content: whatever the user answers, no byte is lost that the user did not agree to lose.
#include "commands/CopyMoveAs.h"
#include "fileops/CopyMoveRules.h"
#include "fileops/Progress.h"
#include "fileops_support.h"
#include "fileops/ReplaceQuestion.h"
#include "platform/CaseConversion.h"
#include "platform/Files.h"
#include "common/PathTerms.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <set>

namespace tarvix::test {
namespace {

// A path as the ledger names it: lower-cased, since the file system matches names without
// regard to case, and a replaced file may keep the spelling of the file it replaced.
std::string LedgerKey(const std::wstring& relative) {
    return U8(LowerCase(relative));
}

// Every file and folder below `root` by ledger key, with its content.
Map Ledger(const std::wstring& root) {
    Map ledger;
    for (const auto& [path, content] : Snapshot(root)) {
        ledger[LedgerKey(W(path))] = content;
    }
    return ledger;
}

struct Batch {
    std::vector<std::wstring> objects; // full paths, selection order
    std::wstring finalPath;
    PatternKind pattern = pkPlainName;
    bool move = false;
};

class LedgerRun {
  public:
    LedgerRun(const std::wstring& root, std::mt19937& random) : root_(root), random_(random) {}

    Batch MakeBatch() {
        MakeFolder(root_ + L"\\In");
        MakeFolder(root_ + L"\\Out");
        const wchar_t* names[] = {L"a.txt", L"b.txt", L"c.doc", L"d",
                                  L"a.doc", L"Fold",  L"G.dir", L"x.TXT"};
        std::vector<std::wstring> objects;
        for (const wchar_t* name : names) {
            if (random_() % 2 == 0) {
                continue;
            }
            const std::wstring path = root_ + L"\\In\\" + name;
            if (random_() % 3 == 0) {
                MakeFolder(path);
                Fill(path, 1 + random_() % 3);
            } else {
                MakeFile(path);
            }
            objects.push_back(path);
        }
        if (objects.empty()) {
            objects.push_back(root_ + L"\\In\\only.txt");
            MakeFile(objects.back());
        }
        std::shuffle(objects.begin(), objects.end(), random_);
        objects.resize(1 + random_() % objects.size());
        // Files in Out under names the patterns can produce, so that questions come up.
        for (const wchar_t* taken : {L"a.txt", L"b.bak", L"n.txt", L"n.doc", L"c.bak",
                                     L"Single.txt", L"a.bak", L"Fold", L"x.TXT", L"d.bak", L"n"}) {
            if (random_() % 3 == 0) {
                MakeFile(root_ + L"\\Out\\" + taken);
            }
        }
        if (random_() % 4 == 0) {
            MakeFolder(root_ + L"\\Out\\n.doc_dir");
        }
        Batch batch;
        batch.objects = objects;
        batch.move = random_() % 2 == 0;
        ChoosePattern(batch);
        return batch;
    }

    // Content of every file before the run.
    Map Before() const { return Ledger(root_); }

    // A path below the root as the ledger names it.
    std::string Relative(const std::wstring& path) const {
        return LedgerKey(path.substr(root_.size() + 1));
    }

  private:
    void MakeFile(const std::wstring& path) {
        WriteTextFile(path, "content " + std::to_string(++counter_) + " of " + U8(path));
        if (random_() % 8 == 0) {
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        }
    }

    void Fill(const std::wstring& folder, unsigned files) {
        for (unsigned i = 0; i < files; ++i) {
            MakeFile(folder + L"\\f" + std::to_wstring(i) + L".txt");
        }
        if (random_() % 3 == 0) {
            MakeFolder(folder + L"\\Sub");
            MakeFile(folder + L"\\Sub\\deep.txt");
        }
    }

    void ChoosePattern(Batch& batch) {
        const CaseConversion lower = LowerCase;
        const SelectionKind kind = ClassifySelection(batch.objects, lower);
        std::vector<std::wstring> accepted;
        for (const wchar_t* typed : {L"Single.txt", L"n.*", L"*.bak", L"*", L"*.*"}) {
            const std::optional<PatternKind> pattern = ReadPattern(typed);
            if (pattern && AcceptsPattern(kind, *pattern, [&](KeyPart part) {
                    return AnyPairShares(batch.objects, part, lower);
                })) {
                accepted.push_back(typed);
            }
        }
        const std::wstring typed = accepted[random_() % accepted.size()];
        std::wstring folder = root_ + L"\\Out";
        const unsigned where = random_() % 8;
        if (where == 0) {
            folder = root_ + L"\\In";
        } else if (where == 1 && FileAttributes(batch.objects.front()) & FILE_ATTRIBUTE_DIRECTORY) {
            folder = batch.objects.front(); // into the selected folder itself
        }
        batch.finalPath = folder + L"\\" + typed;
        batch.pattern = *ReadPattern(typed);
    }

    std::wstring root_;
    std::mt19937& random_;
    unsigned counter_ = 0;
};

int ChooseAnswer(std::mt19937& random, const std::string& caption, const std::string& text) {
    if (caption == "Confirm") {
        const int answers[] = {IDYES, IDYES, IDNO, IDNO, IDCANCEL, kAnswerYesToAll};
        return answers[random() % 6];
    }
    // The only question among the errors is the Proceed question; the rest have OK alone.
    return text.find("Proceed?") != std::string::npos ? IDYES : IDOK;
}

TEST(CopyMoveLedger, NoByteIsLostWhateverTheAnswers) {
    const char* seedText = std::getenv("TARVIX_SEED");
    const unsigned seed = seedText != nullptr ? static_cast<unsigned>(std::atoi(seedText)) : 4711u;
    std::mt19937 random(seed);
    std::mt19937 answerRandom(seed + 1);
    TempFolder folder("ledger");
    auto form = std::make_unique<TFormProgress>();
    form->SetCaption(L"Move");
    BoxAnswerer answerer(::GetCurrentThreadId(), {"Move"},
                         [&](const std::string& caption, const std::string& text) {
                             return ChooseAnswer(answerRandom, caption, text);
                         });
    const int batches = 200;
    for (int index = 0; index < batches; ++index) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", batch " + std::to_string(index));
        LedgerRun run(folder.Path(), random);
        const Batch batch = run.MakeBatch();
        const Map before = run.Before();
        RunCopyMoveBatch(*form, batch.objects, batch.finalPath, batch.pattern, batch.move);
        const Map after = Ledger(folder.Path());

        // Existing destination files the user agreed to replace: the one answered Yes, and
        // after Yes to All that one and those of every later object.
        std::set<std::string> agreed;
        for (const auto& [box, answer] : answerer.TakeAnswered()) {
            if (answer != IDYES && answer != kAnswerYesToAll) {
                continue;
            }
            bool fromHereOn = false;
            for (const std::wstring& object : batch.objects) {
                const std::wstring destination =
                    DestinationOf(batch.pattern, batch.finalPath, object);
                const bool asked = box.text == FileExistsText(destination);
                fromHereOn = fromHereOn || (asked && answer == kAnswerYesToAll);
                if (asked || fromHereOn) {
                    agreed.insert(run.Relative(destination));
                }
            }
        }

        // Where each source file may be afterwards: at its place, or at its destination.
        Map expectedCopies;
        for (const std::wstring& object : batch.objects) {
            const std::string objectPath = run.Relative(object);
            const std::string destination =
                run.Relative(DestinationOf(batch.pattern, batch.finalPath, object));
            for (const auto& [path, content] : before) {
                if (path != objectPath && path.rfind(objectPath + "\\", 0) != 0) {
                    continue;
                }
                const std::string copy = destination + path.substr(objectPath.size());
                expectedCopies[copy] = content;
                if (content == "<dir>") {
                    continue;
                }
                const bool atSource = after.count(path) && after.at(path) == content;
                const bool atCopy = after.count(copy) && after.at(copy) == content;
                EXPECT_TRUE(atSource || atCopy) << path << " lost";
                if (!batch.move) {
                    EXPECT_TRUE(atSource) << path << " removed by a copy";
                }
            }
        }
        for (const auto& [path, content] : before) {
            const bool isSource = std::any_of(
                batch.objects.begin(), batch.objects.end(), [&](const std::wstring& object) {
                    const std::string own = run.Relative(object);
                    return path == own || path.rfind(own + "\\", 0) == 0;
                });
            if (!isSource && content != "<dir>" && !agreed.count(path)) {
                EXPECT_TRUE(after.count(path) && after.at(path) == content)
                    << path << " changed without consent";
            }
        }
        for (const auto& [path, content] : after) {
            if (!before.count(path)) {
                EXPECT_TRUE(expectedCopies.count(path) && expectedCopies.at(path) == content)
                    << path << " is no copy of a source";
            }
        }
        if (::testing::Test::HasFailure()) {
            break;
        }
        RemoveTree(folder / "In");
        RemoveTree(folder / "Out");
    }
    form.reset();
}

} // namespace
} // namespace tarvix::test
