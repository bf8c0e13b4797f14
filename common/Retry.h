// Calls that another program may block for a moment (a virus scanner or an indexer holding a
// fresh file, a clipboard viewer holding the clipboard) are tried again briefly before their
// failure is reported. Which errors pass, how often and how long: decided here alone. No
// platform calls.
#pragma once
#include <functional>

namespace tarvix {

// The platform's errors that pass by themselves: ERROR_ACCESS_DENIED (5),
// ERROR_SHARING_VIOLATION (32), ERROR_LOCK_VIOLATION (33).
bool IsPassingError(unsigned long error);

struct RetryPlan {
    unsigned attempts;     // in all, the first one included
    unsigned long pauseMs; // between two attempts
};
// Ten attempts 50 ms apart: a failure is reported after about half a second.
constexpr RetryPlan kBriefRetry{10, 50};

// One attempt: true when it succeeded; otherwise it sets `error` to the platform's error code.
using RetryAttempt = std::function<bool(unsigned long& error)>;
using RetryPause = std::function<void(unsigned long milliseconds)>;

struct RetryOutcome {
    bool succeeded = false;
    unsigned long error = 0; // of the last attempt; 0 after a success
    unsigned attempts = 0;
};

// Makes attempts until one succeeds, one fails with an error that does not pass, or the plan's
// attempts are spent, pausing between two of them.
RetryOutcome RetryBriefly(const RetryAttempt& attempt, const RetryPause& pause,
                          const RetryPlan& plan = kBriefRetry);

} // namespace tarvix
