// Copy as, Move as and the rename series against bare platform loops over the same files, in the
// same run; the folder walk against a walk that recurses per level; the longest time the
// command's thread goes without looking at its queue.
#include "Bench.h"
#include "commands/CopyMoveAs.h"
#include "common/FileAttributes.h"
#include "fileops/BatchRun.h"
#include "fileops/FolderTransfer.h"
#include "fileops/Progress.h"
#include "platform/MessagePump.h"
#include "platform/WindowsFileSystem.h"
#include "tests/wine/support/TempFolder.h"

#include <algorithm>
#include <memory>

namespace {

using tarvix::test::TempFolder;
using tarvix::test::Volume;

constexpr int kSmallFiles = 2000;
constexpr int kRepeats = 5;

std::vector<std::wstring> MakeSmallFiles(const std::wstring& folder, int count = kSmallFiles) {
    tarvix::test::MakeFolder(folder);
    std::vector<std::wstring> paths;
    std::string content(4096, 'x');
    for (int i = 0; i < count; ++i) {
        content.replace(0, 8, std::to_string(10000000 + i));
        paths.push_back(folder + L"\\file" + std::to_wstring(i) + L".dat");
        tarvix::test::WriteTextFile(paths.back(), content);
    }
    return paths;
}

std::wstring MakeLargeFile(const std::wstring& path, int mebibytes = 256) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string block(1 << 20, 'L');
    for (int i = 0; i < mebibytes; ++i) {
        block[0] = static_cast<char>('a' + i % 26);
        DWORD written = 0;
        ::WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
    }
    ::CloseHandle(file);
    return path;
}

double TimeOnce(const std::function<void()>& body) {
    return tarvix::bench::BestMilliseconds(1, body);
}

std::wstring Into(const std::wstring& out, const std::wstring& path) {
    return out + path.substr(path.find_last_of(L'\\'));
}

// The batch of Copy as (or Move as) of `paths` into `out` with "*.*", on a window made
// beforehand as the command makes it before its dialog.
void CopyAs(tarvix::TFormProgress& form, const std::vector<std::wstring>& paths,
            const std::wstring& out, bool move) {
    tarvix::RunCopyMoveBatch(form, paths, out + L"\\*.*", tarvix::pkKeepBoth, move);
}

// What the platform does for the same objects without any check, question or window.
void BareLoop(const std::vector<std::wstring>& paths, const std::wstring& out, bool move,
              bool sameVolume) {
    for (const std::wstring& path : paths) {
        const std::wstring to = Into(out, path);
        if (move && sameVolume) {
            ::MoveFileExW(path.c_str(), to.c_str(), 0);
            continue;
        }
        ::CopyFileW(path.c_str(), to.c_str(), TRUE);
        if (move) {
            ::DeleteFileW(path.c_str());
        }
    }
}

// What the window costs per object: it names the object, is repainted and steps the bar.
double RepaintMicroseconds(const std::vector<std::wstring>& paths) {
    tarvix::TFormProgress form;
    form.SetCaption(L"Copy");
    form.Begin(paths.size());
    const double ms = TimeOnce([&] {
        for (std::size_t i = 0; i < paths.size(); ++i) {
            form.ShowObject(i, paths.size(), paths[i], paths[i]);
            form.Step();
        }
        form.Finish();
    });
    return 1000.0 * ms / static_cast<double>(paths.size());
}

struct Pair {
    double ours = 0;
    double bare = 0;
};

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// The median of the repeats for both ways; `prepare` makes the sources anew before each run,
// `out` is the folder they go to. Both ways run in pairs, in turns, so that the disk's
// write-back of the sources and of earlier runs falls on both alike.
Pair Measure(const std::wstring& out, bool move, bool sameVolume,
             const std::function<std::vector<std::wstring>()>& prepare, int repeats = kRepeats) {
    std::vector<double> ours;
    std::vector<double> bare;
    for (int run = 0; run < repeats; ++run) {
        for (bool isOurs : {run % 2 == 0, run % 2 != 0}) {
            const std::vector<std::wstring> paths = prepare();
            tarvix::test::MakeFolder(out);
            auto form = std::make_unique<tarvix::TFormProgress>();
            form->SetCaption(move ? L"Move" : L"Copy");
            const double ms = TimeOnce([&] {
                isOurs ? CopyAs(*form, paths, out, move) : BareLoop(paths, out, move, sameVolume);
            });
            form.reset();
            (isOurs ? ours : bare).push_back(ms);
            tarvix::test::RemoveTree(out);
        }
    }
    return Pair{Median(ours), Median(bare)};
}

// The rename series' run over 10 files of 64 MiB in one folder, against the least it must do:
// MoveFileExW of each file, with the progress window shown and stepped for each. (A window that
// shows costs some milliseconds, more than ten renames; a copy of the 640 MiB would cost
// hundreds.)
Pair RenameSeries(const TempFolder& root) {
    tarvix::test::MakeFolder(root / "Series");
    std::vector<tarvix::Transfer> renames;
    for (int i = 0; i < 10; ++i) {
        const std::wstring name = root / ("Series\\clip" + std::to_string(i) + ".mp4");
        MakeLargeFile(name, 64);
        renames.push_back(
            tarvix::Transfer{name, root / ("Series\\Holiday " + std::to_string(i) + ".mp4")});
    }
    std::vector<double> ours;
    std::vector<double> bare;
    tarvix::WindowsFileSystem files;
    for (int run = 0; run < 2 * kRepeats; ++run) {
        tarvix::TFormProgress form;
        form.SetCaption(L"Rename");
        const bool isOurs = run % 2 == 0;
        // Every other run renames the files back.
        std::vector<tarvix::Transfer> batch = renames;
        if (run % 4 >= 2) {
            for (tarvix::Transfer& rename : batch) {
                std::swap(rename.source, rename.destination);
            }
        }
        const double ms = TimeOnce([&] {
            if (isOurs) {
                tarvix::RunTransferBatch(form, files, batch, true);
                return;
            }
            form.Begin(batch.size());
            for (std::size_t i = 0; i < batch.size(); ++i) {
                form.ShowObject(i, batch.size(), batch[i].source, batch[i].destination);
                ::MoveFileExW(batch[i].source.c_str(), batch[i].destination.c_str(), 0);
                form.Step();
            }
            form.Finish();
        });
        (isOurs ? ours : bare).push_back(ms);
    }
    tarvix::test::RemoveTree(root / "Series");
    return Pair{Median(ours), Median(bare)};
}

// The folder walk as it was: one call per level of the tree.
bool RecursiveCopy(tarvix::FileSystem& files, const std::wstring& source,
                   const std::wstring& dest) {
    if (files.CreateFolder(dest) != tarvix::FsResult::Done) {
        return false;
    }
    std::unique_ptr<tarvix::FolderListing> listing = files.List(source);
    tarvix::FolderEntry entry;
    while (listing && listing->Next(entry)) {
        const std::wstring from = source + L"\\" + entry.name;
        const std::wstring to = dest + L"\\" + entry.name;
        const bool folder = (entry.facts.attributes & tarvix::kAttributeDirectory) != 0;
        if (!(folder ? RecursiveCopy(files, from, to)
                     : files.CopyFileTo(from, to, nullptr) == tarvix::FsResult::Done)) {
            return false;
        }
    }
    return true;
}

// A tree of 10,000 folders (100 folders of 100), copied by the engine's walk and by the
// recursive one.
Pair FolderWalk(const TempFolder& root) {
    tarvix::test::MakeFolder(root / "Tree");
    for (int i = 0; i < 100; ++i) {
        const std::wstring branch = root / ("Tree\\b" + std::to_string(i));
        tarvix::test::MakeFolder(branch);
        for (int j = 0; j < 100; ++j) {
            tarvix::test::MakeFolder(branch + L"\\l" + std::to_wstring(j));
        }
    }
    tarvix::WindowsFileSystem files;
    tarvix::TFormProgress form;
    const tarvix::CopyContext context{files, form, false};
    const tarvix::ObjectFacts facts{tarvix::kAttributeDirectory};
    std::vector<double> ours;
    std::vector<double> bare;
    for (int run = 0; run < kRepeats; ++run) {
        for (bool isOurs : {run % 2 == 0, run % 2 != 0}) {
            const double ms = TimeOnce([&] {
                isOurs ? (void)tarvix::CopyFolder(context, root / "Tree", facts, root / "Copy")
                       : (void)RecursiveCopy(files, root / "Tree", root / "Copy");
            });
            (isOurs ? ours : bare).push_back(ms);
            tarvix::test::RemoveTree(root / "Copy");
        }
    }
    tarvix::test::RemoveTree(root / "Tree");
    return Pair{Median(ours), Median(bare)};
}

// The longest time the command's thread went without looking at its queue during a move to
// another volume of `paths`. The system takes a window for hung after five seconds of that.
double LongestQueueGapMs(const std::vector<std::wstring>& paths, const std::wstring& out) {
    tarvix::test::MakeFolder(out);
    tarvix::TFormProgress form;
    form.SetCaption(L"Move");
    tarvix::ResetLongestQueueGap();
    CopyAs(form, paths, out, true);
    const auto gap = static_cast<double>(tarvix::LongestQueueGapMs());
    tarvix::test::RemoveTree(out);
    return gap;
}

} // namespace

TARVIX_BENCH(fileops) {
    TempFolder root("bench");
    TempFolder other("bench", Volume::Second);
    std::vector<std::wstring> small = MakeSmallFiles(root / "Small");
    const Pair copy = Measure(root / "Out", false, true, [&] { return small; });
    figures.push_back({"copy_as_2000x4KiB", copy.ours, "ms", copy.bare, 1.2});
    figures.push_back({"copy_as_overhead_per_object",
                       1000.0 * (copy.ours - copy.bare) / kSmallFiles, "us", 0, 0});
    figures.push_back({"progress_repaint_per_object", RepaintMicroseconds(small), "us", 0, 0});

    auto fresh = [&] {
        tarvix::test::RemoveTree(root / "Small");
        return MakeSmallFiles(root / "Small");
    };
    const Pair moveHere = Measure(root / "Out", true, true, fresh);
    figures.push_back(
        {"move_as_2000x4KiB_one_volume_vs_movefileex", moveHere.ours, "ms", moveHere.bare, 1.5});
    const Pair moveAcross = Measure(other / "Out", true, false, fresh);
    figures.push_back(
        {"move_as_2000x4KiB_across_volumes", moveAcross.ours, "ms", moveAcross.bare, 1.2});
    tarvix::test::RemoveTree(root / "Small");

    const Pair series = RenameSeries(root);
    figures.push_back({"rename_series_10x64MiB_vs_movefileex_on_the_window", series.ours, "ms",
                       series.bare, 1.5});

    tarvix::test::MakeFolder(root / "Large");
    const std::vector<std::wstring> large{MakeLargeFile(root / "Large\\big.bin")};
    // A copy of 256 MiB takes less than a tenth of a second: more runs even out the noise.
    const Pair big = Measure(
        root / "Out", false, true, [&] { return large; }, 3 * kRepeats);
    figures.push_back({"copy_as_256MiB", big.ours, "ms", big.bare, 1.2});
    tarvix::test::RemoveTree(root / "Large");

    const Pair walk = FolderWalk(root);
    figures.push_back({"folder_walk_10000_folders_vs_recursive", walk.ours, "ms", walk.bare, 1.1});

    tarvix::test::MakeFolder(root / "Many");
    tarvix::test::MakeFolder(root / "Many\\Folder");
    MakeSmallFiles(root / "Many\\Folder", 20000);
    figures.push_back({"move_20000_files_across_longest_queue_gap",
                       LongestQueueGapMs({root / "Many\\Folder"}, other / "Out"), "ms", 0, 0});
    tarvix::test::RemoveTree(root / "Many");
    tarvix::test::MakeFolder(root / "Huge");
    const std::vector<std::wstring> huge{MakeLargeFile(root / "Huge\\huge.bin", 2048)};
    figures.push_back(
        {"move_2GiB_across_longest_queue_gap", LongestQueueGapMs(huge, other / "Out"), "ms", 0, 0});
    tarvix::test::RemoveTree(root / "Huge");
}
