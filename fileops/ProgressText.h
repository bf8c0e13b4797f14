// What the progress window says of how far a batch is: sizes in the units Explorer shows, and
// the time left from the rate measured so far. No platform calls.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tarvix {

// Files from this size on show their bytes and a bar of their own.
constexpr std::uint64_t kLargeFileSize = 4 * 1024 * 1024;

enum class ByteUnit { Bytes, KB, MB, GB, TB };
struct ReadableSize {
    std::wstring number; // "1.50", "12.3", "118"
    ByteUnit unit;
};
// Units of 1,024, three significant digits, cut rather than rounded, so a file is never shown
// further than it is: 1,572,863 bytes are 1.49 MB.
ReadableSize ReadableSizeOf(std::uint64_t bytes);

// How much of a batch of `count` objects is done: the objects before the current one, and of
// the current one the bytes copied so far.
double BatchFraction(std::size_t objectsDone, std::size_t count, std::uint64_t bytesDone,
                     std::uint64_t bytesTotal);

// Nothing is said before this much work.
constexpr std::uint64_t kTimeLeftAfterMs = 2000;

enum class TimeUnit { Seconds, Minutes, Hours };
struct TimeLeft {
    unsigned amount;
    TimeUnit unit;
    bool operator==(const TimeLeft& other) const {
        return amount == other.amount && unit == other.unit;
    }
};
// The time the rest takes at the rate of the work so far: seconds (rounded up to fives) under a
// minute, minutes under an hour and a half, hours beyond. Nothing before two seconds of work or
// while nothing is done.
std::optional<TimeLeft> EstimateTimeLeft(std::uint64_t elapsedMs, double doneFraction);

} // namespace tarvix
