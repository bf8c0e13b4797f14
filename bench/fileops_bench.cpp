// Copy as and Move as against bare platform loops over the same files, in the same run.
#include "Bench.h"
#include "commands/CopyMoveAs.h"
#include "fileops/Progress.h"
#include "tests/wine/support/TempFolder.h"

#include <algorithm>
#include <memory>

namespace {

using tarvix::test::TempFolder;

constexpr int kSmallFiles = 2000;
constexpr int kRepeats = 4;

std::vector<std::string> MakeSmallFiles(const std::string& folder) {
    tarvix::test::MakeFolder(folder);
    std::vector<std::string> paths;
    std::string content(4096, 'x');
    for (int i = 0; i < kSmallFiles; ++i) {
        content.replace(0, 8, std::to_string(10000000 + i));
        paths.push_back(folder + "\\file" + std::to_string(i) + ".dat");
        tarvix::test::WriteTextFile(paths.back(), content);
    }
    return paths;
}

std::string MakeLargeFile(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string block(1 << 20, 'L');
    for (int i = 0; i < 256; ++i) {
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

// The batch of Copy as of `paths` into `out` with "*.*", on a window made beforehand as the
// command makes it before its dialog.
void CopyAs(tarvix::TFormProgress& form, const std::vector<std::string>& paths,
            const std::string& out, bool move) {
    tarvix::RunCopyMoveBatch(form, paths, out + "\\*.*", tarvix::pkKeepBoth, move);
}

void CopyLoop(const std::vector<std::string>& paths, const std::string& out, bool move) {
    for (const std::string& path : paths) {
        const std::string to = out + path.substr(path.find_last_of('\\'));
        ::CopyFileA(path.c_str(), to.c_str(), TRUE);
        if (move) {
            ::DeleteFileA(path.c_str());
        }
    }
}

// What the window costs per object: both texts set, the window repainted, the bar stepped.
double RepaintMicroseconds(const std::vector<std::string>& paths) {
    tarvix::TFormProgress form;
    form.SetCaption("Copy");
    form.SetMax(static_cast<int>(paths.size()) + 1);
    form.Show();
    const double ms = TimeOnce([&] {
        for (const std::string& path : paths) {
            form.SetSource(path);
            form.SetDestination(path);
            form.RepaintWindow();
            form.Step();
        }
        form.RepaintProgressBar();
    });
    return 1000.0 * ms / static_cast<double>(paths.size());
}

struct Pair {
    double ours = 1e300;
    double bare = 1e300;
};

// Best of the repeats for both ways; `prepare` makes the sources anew before each run.
Pair Measure(const TempFolder& root, bool move,
             const std::function<std::vector<std::string>()>& prepare) {
    Pair best;
    for (int run = 0; run < kRepeats; ++run) {
        // Alternating which way goes first spreads the cache and write-back effects evenly.
        for (bool ours : {run % 2 == 0, run % 2 != 0}) {
            const std::vector<std::string> paths = prepare();
            tarvix::test::MakeFolder(root / "Out");
            auto form = std::make_unique<tarvix::TFormProgress>();
            form->SetCaption(move ? "Move" : "Copy");
            const double ms = TimeOnce([&] {
                ours ? CopyAs(*form, paths, root / "Out", move)
                     : CopyLoop(paths, root / "Out", move);
            });
            form.reset();
            (ours ? best.ours : best.bare) = std::min(ours ? best.ours : best.bare, ms);
            tarvix::test::RemoveTree(root / "Out");
        }
    }
    return best;
}

} // namespace

TARVIX_BENCH(fileops) {
    TempFolder root("bench");
    std::vector<std::string> small = MakeSmallFiles(root / "Small");
    const Pair copy = Measure(root, false, [&] { return small; });
    figures.push_back({"copy_as_2000x4KiB", copy.ours, "ms", copy.bare, 1.2});
    figures.push_back({"copy_as_overhead_per_object",
                       1000.0 * (copy.ours - copy.bare) / kSmallFiles, "us", 0, 0});
    figures.push_back({"progress_repaint_per_object", RepaintMicroseconds(small), "us", 0, 0});

    const Pair move = Measure(root, true, [&] {
        tarvix::test::RemoveTree(root / "Small");
        return MakeSmallFiles(root / "Small");
    });
    figures.push_back({"move_as_2000x4KiB", move.ours, "ms", move.bare, 1.2});
    tarvix::test::RemoveTree(root / "Small");

    tarvix::test::MakeFolder(root / "Large");
    const std::vector<std::string> large{MakeLargeFile(root / "Large\\big.bin")};
    const Pair big = Measure(root, false, [&] { return large; });
    figures.push_back({"copy_as_256MiB", big.ours, "ms", big.bare, 1.2});
}
