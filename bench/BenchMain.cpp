// Runs every registered benchmark (or those named on the command line) and prints one line
// per figure: BENCH name=<id> value=<n> unit=<u> baseline=<n> ratio=<n> budget=<n>.
#include "Bench.h"

#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace tarvix::bench {
namespace {

std::vector<std::pair<std::string, BenchFunction>>& Registry() {
    static std::vector<std::pair<std::string, BenchFunction>> registry;
    return registry;
}

} // namespace

Registration::Registration(const char* name, BenchFunction function) {
    Registry().emplace_back(name, std::move(function));
}

double BestMilliseconds(int repeats, const std::function<void()>& body) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    double best = 1e300;
    for (int run = 0; run < repeats; ++run) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        ::QueryPerformanceCounter(&start);
        body();
        ::QueryPerformanceCounter(&end);
        const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        best = ms < best ? ms : best;
    }
    return best;
}

} // namespace tarvix::bench

int main(int argc, char** argv) {
    using namespace tarvix::bench;
    ::OleInitialize(nullptr);
    int overBudget = 0;
    for (auto& [name, function] : Registry()) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i) {
            wanted = wanted || name == argv[i];
        }
        if (!wanted) {
            continue;
        }
        std::vector<Figure> figures;
        function(figures);
        for (const Figure& figure : figures) {
            const double ratio = figure.baseline > 0 ? figure.value / figure.baseline : 0;
            std::printf("BENCH name=%s value=%.3f unit=%s baseline=%.3f ratio=%.3f budget=%.2f%s\n",
                        figure.name.c_str(), figure.value, figure.unit.c_str(), figure.baseline,
                        ratio, figure.budget, ratio > figure.budget ? " OVER-BUDGET" : "");
            std::fflush(stdout);
            overBudget += ratio > figure.budget ? 1 : 0;
        }
    }
    ::OleUninitialize();
    return overBudget == 0 ? 0 : 1;
}
