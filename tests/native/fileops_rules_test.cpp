// The decisions the engine and its window take on what the platform reports: attributes,
// identities, error numbers, and the sizes and times the window shows.
#include "common/FileAttributes.h"
#include "common/ObjectIdentity.h"
#include "fileops/ProgressText.h"
#include "platform/ErrorMeaning.h"

#include <gtest/gtest.h>

namespace tarvix {
namespace {

constexpr std::uint32_t kCompressed = 0x800;
constexpr std::uint32_t kPinned = 0x80000;
constexpr std::uint32_t kUnpinned = 0x100000;
constexpr std::uint32_t kRecallOnOpen = 0x40000;

TEST(FolderAttributes, ACopyTakesTheUsersMarksAndARemovalClearsReadOnly) {
    const std::uint32_t marks = kAttributeReadOnly | kAttributeHidden | kAttributeSystem |
                                kAttributeArchive | kAttributeNotContentIndexed;
    EXPECT_EQ(FolderAttributesToCopy(kAttributeDirectory | marks | kCompressed | kPinned |
                                     kUnpinned | kRecallOnOpen | kAttributeReparsePoint),
              marks);
    EXPECT_EQ(FolderAttributesToCopy(kAttributeDirectory), 0u);
    EXPECT_EQ(AttributesBeforeRemoval(kAttributeDirectory), std::nullopt);
    EXPECT_EQ(AttributesBeforeRemoval(kAttributeDirectory | kAttributeHidden), std::nullopt);
    EXPECT_EQ(AttributesBeforeRemoval(kAttributeDirectory | kAttributeReadOnly),
              std::optional<std::uint32_t>(kAttributeNormal));
    EXPECT_EQ(AttributesBeforeRemoval(kAttributeDirectory | kAttributeReadOnly | kAttributeSystem),
              std::optional<std::uint32_t>(kAttributeSystem));
}

TEST(ObjectIdentity, OnlyTwoKnownEqualIdsAreOneObject) {
    ObjectId one{7, {1}};
    ObjectId same = one;
    ObjectId otherFile{7, {2}};
    ObjectId otherVolume{8, {1}};
    ObjectId high{7, {}};
    high.file[15] = 1; // 128-bit IDs differ where 64-bit indexes cannot
    ObjectId zero{7, {}};
    EXPECT_EQ(CompareIds(one, same), Identity::Same);
    EXPECT_EQ(CompareIds(one, otherFile), Identity::Different);
    EXPECT_EQ(CompareIds(one, otherVolume), Identity::Different);
    EXPECT_EQ(CompareIds(one, high), Identity::Different);
    EXPECT_EQ(CompareIds(zero, zero), Identity::Unknown);
    EXPECT_EQ(CompareIds(one, std::nullopt), Identity::Unknown);
}

TEST(ErrorMeaning, WhatEachErrorTellsTheEngine) {
    const std::pair<unsigned long, FsResult> rows[] = {
        {80, FsResult::Exists},       {183, FsResult::Exists},       {2, FsResult::NotFound},
        {3, FsResult::NotFound},      {17, FsResult::NotSameDevice}, {32, FsResult::Busy},
        {33, FsResult::Busy},         {5, FsResult::Busy},           {1235, FsResult::Cancelled},
        {50, FsResult::NotSupported}, {1, FsResult::NotSupported},   {112, FsResult::Failed},
        {0, FsResult::Failed},
    };
    for (const auto& [error, result] : rows) {
        EXPECT_EQ(MeaningOf(error), result) << error;
    }
    // Where the volume cannot replace, or has removed the replaced file and left the replacement
    // under its temporary name, the replacement is renamed over; otherwise the error stands.
    for (unsigned long error : {1ul, 50ul, 1176ul, 1177ul}) {
        EXPECT_EQ(NextStepAfterReplace(error), AfterReplaceFailure::RenameOver) << error;
    }
    for (unsigned long error : {5ul, 32ul, 1175ul, 2ul, 112ul}) {
        EXPECT_EQ(NextStepAfterReplace(error), AfterReplaceFailure::Report) << error;
    }
}

TEST(ProgressText, SizesInExplorersUnitsNeverAheadOfTheBytes) {
    const std::pair<std::uint64_t, std::pair<const wchar_t*, ByteUnit>> rows[] = {
        {0, {L"0", ByteUnit::Bytes}},
        {1023, {L"1023", ByteUnit::Bytes}},
        {1024, {L"1.00", ByteUnit::KB}},
        {1535, {L"1.49", ByteUnit::KB}},
        {1536, {L"1.50", ByteUnit::KB}},
        {10 * 1024 + 1023, {L"10.9", ByteUnit::KB}},
        {999 * 1024, {L"999", ByteUnit::KB}},
        {1000 * 1024, {L"0.97", ByteUnit::MB}},
        {1572863, {L"1.49", ByteUnit::MB}},
        {4ull * 1024 * 1024, {L"4.00", ByteUnit::MB}},
        {118ull * 1024 * 1024 + 5, {L"118", ByteUnit::MB}},
        {3ull << 30, {L"3.00", ByteUnit::GB}},
        {(3ull << 30) / 2, {L"1.50", ByteUnit::GB}},
        {5ull << 40, {L"5.00", ByteUnit::TB}},
        {2000ull << 40, {L"2000", ByteUnit::TB}},
    };
    for (const auto& [bytes, expected] : rows) {
        const ReadableSize size = ReadableSizeOf(bytes);
        EXPECT_EQ(size.number, expected.first) << bytes;
        EXPECT_EQ(size.unit, expected.second) << bytes;
    }
}

TEST(ProgressText, TimeLeftFromTheRateSoFar) {
    EXPECT_DOUBLE_EQ(BatchFraction(0, 4, 0, 0), 0.0);
    EXPECT_DOUBLE_EQ(BatchFraction(1, 4, 50, 100), 0.375);
    EXPECT_DOUBLE_EQ(BatchFraction(3, 4, 200, 100), 1.0);
    EXPECT_DOUBLE_EQ(BatchFraction(0, 0, 0, 0), 1.0);
    struct Row {
        std::uint64_t elapsedMs;
        double done;
        std::optional<TimeLeft> left;
    };
    const Row rows[] = {
        {1999, 0.5, std::nullopt},                       // too soon to say
        {10000, 0.0, std::nullopt},                      // nothing done yet
        {2000, 0.5, TimeLeft{5, TimeUnit::Seconds}},     // 2 s left
        {10000, 0.5, TimeLeft{10, TimeUnit::Seconds}},   // 10 s
        {11000, 0.5, TimeLeft{15, TimeUnit::Seconds}},   // 11 s, up to fives
        {50000, 0.5, TimeLeft{50, TimeUnit::Seconds}},   // 50 s
        {59000, 0.5, TimeLeft{60, TimeUnit::Seconds}},   // 59 s
        {60000, 0.5, TimeLeft{1, TimeUnit::Minutes}},    // 60 s
        {100000, 0.1, TimeLeft{15, TimeUnit::Minutes}},  // 900 s
        {5340000, 0.5, TimeLeft{89, TimeUnit::Minutes}}, // 89 min
        {5400000, 0.5, TimeLeft{2, TimeUnit::Hours}},    // 90 min
        {3600000, 0.1, TimeLeft{9, TimeUnit::Hours}},
        {3000, 1.0, TimeLeft{5, TimeUnit::Seconds}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(EstimateTimeLeft(row.elapsedMs, row.done), row.left)
            << row.elapsedMs << " ms, " << row.done;
    }
}

} // namespace
} // namespace tarvix
