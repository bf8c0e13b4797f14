// Copy as and Move as against bare platform loops over the same files, in the same run.
#include "Bench.h"
#include "commands/CopyMoveAs.h"
#include "fileops/Progress.h"
#include "platform/Files.h"
#include "tests/wine/support/TempFolder.h"

#include <algorithm>
#include <memory>

namespace {

using tarvix::test::TempFolder;

constexpr int kSmallFiles = 2000;
constexpr int kRepeats = 5;

std::vector<std::wstring> MakeSmallFiles(const std::wstring& folder) {
    tarvix::test::MakeFolder(folder);
    std::vector<std::wstring> paths;
    std::string content(4096, 'x');
    for (int i = 0; i < kSmallFiles; ++i) {
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

// The batch of Copy as of `paths` into `out` with "*.*", on a window made beforehand as the
// command makes it before its dialog.
void CopyAs(tarvix::TFormProgress& form, const std::vector<std::wstring>& paths,
            const std::wstring& out, bool move) {
    tarvix::RunCopyMoveBatch(form, paths, out + L"\\*.*", tarvix::pkKeepBoth, move);
}

void CopyLoop(const std::vector<std::wstring>& paths, const std::wstring& out, bool move) {
    for (const std::wstring& path : paths) {
        const std::wstring to = out + path.substr(path.find_last_of(L'\\'));
        ::CopyFileW(path.c_str(), to.c_str(), TRUE);
        if (move) {
            ::DeleteFileW(path.c_str());
        }
    }
}

// What the window costs per object: both texts set, the window repainted, the bar stepped.
double RepaintMicroseconds(const std::vector<std::wstring>& paths) {
    tarvix::TFormProgress form;
    form.SetCaption(L"Copy");
    form.SetMax(static_cast<int>(paths.size()) + 1);
    form.Show();
    const double ms = TimeOnce([&] {
        for (const std::wstring& path : paths) {
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
    double ours = 0;
    double bare = 0;
};

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// The median of the repeats for both ways; `prepare` makes the sources anew before each run.
// Both ways run in pairs, in turns, so that the disk's write-back of the sources and of
// earlier runs falls on both alike; the median passes over the runs it disturbed most.
Pair Measure(const TempFolder& root, bool move,
             const std::function<std::vector<std::wstring>()>& prepare, int repeats = kRepeats) {
    std::vector<double> ours;
    std::vector<double> bare;
    for (int run = 0; run < repeats; ++run) {
        for (bool isOurs : {run % 2 == 0, run % 2 != 0}) {
            const std::vector<std::wstring> paths = prepare();
            tarvix::test::MakeFolder(root / "Out");
            auto form = std::make_unique<tarvix::TFormProgress>();
            form->SetCaption(move ? L"Move" : L"Copy");
            const double ms = TimeOnce([&] {
                isOurs ? CopyAs(*form, paths, root / "Out", move)
                       : CopyLoop(paths, root / "Out", move);
            });
            form.reset();
            (isOurs ? ours : bare).push_back(ms);
            tarvix::test::RemoveTree(root / "Out");
        }
    }
    return Pair{Median(ours), Median(bare)};
}

// The longest time in which the command's thread would not look at its queue while one file of
// 2 GiB is copied: between the start, each progress call and the end. The system takes a
// window for hung after five seconds of that.
double LongestProgressGapMs(const TempFolder& root) {
    const std::wstring from = MakeLargeFile(root / "huge.bin", 2048);
    const std::wstring to = root / "huge copy.bin";
    double longest = 0;
    double last = 0;
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    auto now = [&] {
        LARGE_INTEGER counter;
        ::QueryPerformanceCounter(&counter);
        return 1000.0 * static_cast<double>(counter.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    };
    last = now();
    tarvix::CopyFileTo(from, to, true, [&] {
        const double at = now();
        longest = std::max(longest, at - last);
        last = at;
    });
    longest = std::max(longest, now() - last);
    ::DeleteFileW(to.c_str());
    ::DeleteFileW(from.c_str());
    return longest;
}

} // namespace

TARVIX_BENCH(fileops) {
    TempFolder root("bench");
    std::vector<std::wstring> small = MakeSmallFiles(root / "Small");
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
    const std::vector<std::wstring> large{MakeLargeFile(root / "Large\\big.bin")};
    // A copy of 256 MiB takes less than a tenth of a second: more runs even out the noise.
    const Pair big = Measure(
        root, false, [&] { return large; }, 3 * kRepeats);
    figures.push_back({"copy_as_256MiB", big.ours, "ms", big.bare, 1.2});
    tarvix::test::RemoveTree(root / "Large");
    figures.push_back(
        {"copy_2GiB_longest_gap_between_progress_calls", LongestProgressGapMs(root), "ms", 0, 0});
}
