#include "Retry.h"

namespace tarvix {

bool IsPassingError(unsigned long error) {
    return error == 5 || error == 32 || error == 33;
}

RetryOutcome RetryBriefly(const RetryAttempt& attempt, const RetryPause& pause,
                          const RetryPlan& plan) {
    RetryOutcome outcome;
    for (;;) {
        unsigned long error = 0;
        ++outcome.attempts;
        if (attempt(error)) {
            outcome.succeeded = true;
            outcome.error = 0;
            return outcome;
        }
        outcome.error = error;
        if (!IsPassingError(error) || outcome.attempts >= plan.attempts) {
            return outcome;
        }
        pause(plan.pauseMs);
    }
}

} // namespace tarvix
