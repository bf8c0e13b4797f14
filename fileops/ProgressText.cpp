#include "ProgressText.h"

#include <cmath>

namespace tarvix {

ReadableSize ReadableSizeOf(std::uint64_t bytes) {
    if (bytes < 1024) {
        return {std::to_wstring(bytes), ByteUnit::Bytes};
    }
    // The unit in which the number stays below 1,000.
    int unit = 1;
    while (unit < 4 && bytes / (std::uint64_t{1} << (10 * unit)) >= 1000) {
        ++unit;
    }
    const std::uint64_t unitSize = std::uint64_t{1} << (10 * unit);
    const std::uint64_t integer = bytes / unitSize;
    const std::uint64_t hundredths = bytes % unitSize * 100 / unitSize;
    std::wstring number = std::to_wstring(integer);
    if (integer < 10) {
        number += (hundredths < 10 ? L".0" : L".") + std::to_wstring(hundredths);
    } else if (integer < 100) {
        number += L"." + std::to_wstring(hundredths / 10);
    }
    return {number, static_cast<ByteUnit>(unit)};
}

double BatchFraction(std::size_t objectsDone, std::size_t count, std::uint64_t bytesDone,
                     std::uint64_t bytesTotal) {
    if (count == 0) {
        return 1.0;
    }
    double current = 0.0;
    if (bytesTotal > 0) {
        current = static_cast<double>(bytesDone < bytesTotal ? bytesDone : bytesTotal) /
                  static_cast<double>(bytesTotal);
    }
    const double done = (static_cast<double>(objectsDone) + current) / static_cast<double>(count);
    return done > 1.0 ? 1.0 : done;
}

std::optional<TimeLeft> EstimateTimeLeft(std::uint64_t elapsedMs, double doneFraction) {
    if (elapsedMs < kTimeLeftAfterMs || !(doneFraction > 0.0)) {
        return std::nullopt;
    }
    const double fraction = doneFraction > 1.0 ? 1.0 : doneFraction;
    const double secondsLeft =
        static_cast<double>(elapsedMs) / 1000.0 * (1.0 - fraction) / fraction;
    if (secondsLeft < 60.0) {
        const unsigned fives = static_cast<unsigned>(std::ceil(secondsLeft / 5.0));
        return TimeLeft{fives == 0 ? 5u : fives * 5u, TimeUnit::Seconds};
    }
    const double minutes = secondsLeft / 60.0;
    if (minutes < 90.0) {
        return TimeLeft{static_cast<unsigned>(std::lround(minutes)), TimeUnit::Minutes};
    }
    return TimeLeft{static_cast<unsigned>(std::lround(minutes / 60.0)), TimeUnit::Hours};
}

} // namespace tarvix
