#include "common/Retry.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvix {
namespace {

constexpr unsigned long kOk = 0;

// Each row: what the attempts answer in turn (kOk: success, else the error), then how many
// attempts were made and what came of them.
TEST(Retry, PassingErrorsAreTriedAgainUntilSuccessOrThePlanIsSpent) {
    const std::vector<unsigned long> held(10, 5);
    const struct {
        std::vector<unsigned long> answers;
        RetryPlan plan;
        unsigned attempts;
        bool succeeded;
        unsigned long error;
    } cases[] = {
        {{kOk}, kBriefRetry, 1, true, 0},
        {{5, kOk}, kBriefRetry, 2, true, 0},
        {{32, 33, 5, kOk}, kBriefRetry, 4, true, 0},
        {{2}, kBriefRetry, 1, false, 2},    // the file is missing: no waiting helps
        {{5, 3}, kBriefRetry, 2, false, 3}, // a passing error, then a lasting one
        {held, kBriefRetry, 10, false, 5},
        {{32, 32, 32}, RetryPlan{3, 20}, 3, false, 32},
        {{32}, RetryPlan{1, 20}, 1, false, 32},
    };
    for (const auto& test : cases) {
        std::size_t next = 0;
        std::vector<unsigned long> pauses;
        const RetryOutcome outcome = RetryBriefly(
            [&](unsigned long& error) {
                error = test.answers.at(next++);
                return error == kOk;
            },
            [&](unsigned long ms) { pauses.push_back(ms); }, test.plan);
        SCOPED_TRACE(testing::PrintToString(test.answers));
        EXPECT_EQ(outcome.attempts, test.attempts);
        EXPECT_EQ(next, test.attempts);
        EXPECT_EQ(outcome.succeeded, test.succeeded);
        EXPECT_EQ(outcome.error, test.error);
        EXPECT_EQ(pauses, std::vector<unsigned long>(test.attempts - 1, test.plan.pauseMs))
            << "a pause between two attempts, none after the last";
    }
}

} // namespace
} // namespace tarvix
