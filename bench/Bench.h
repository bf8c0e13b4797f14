// A small registry of benchmarks: each measures its figure and a baseline in the same run.
#pragma once
#include "platform/Win.h"

#include <functional>
#include <string>
#include <vector>

namespace tarvix::bench {

struct Figure {
    std::string name;
    double value = 0;    // measured
    std::string unit;    // "ms", "bytes", ...
    double baseline = 0; // measured in the same run (or the documented limit for sizes)
    double budget = 0;   // highest allowed value / baseline
};

using BenchFunction = std::function<void(std::vector<Figure>& figures)>;

struct Registration {
    Registration(const char* name, BenchFunction function);
};

#define TARVIX_BENCH(name)                                                                         \
    static void name(std::vector<::tarvix::bench::Figure>& figures);                               \
    static ::tarvix::bench::Registration name##Registration(#name, name);                          \
    static void name(std::vector<::tarvix::bench::Figure>& figures)

// Milliseconds taken by `body`, the best of `repeats` runs.
double BestMilliseconds(int repeats, const std::function<void()>& body);

} // namespace tarvix::bench
