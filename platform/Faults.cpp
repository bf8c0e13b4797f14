#include "Faults.h"

#include <array>

namespace tarvix {
namespace {

struct FaultPlan {
    int passes = 0;
    int failures = 0;
    unsigned long error = 5;
    std::function<void()> pause;
};

std::array<FaultPlan, static_cast<int>(FaultCall::Count)> g_plans;
int g_injected = 0;

} // namespace

bool FaultNow(FaultCall call) {
    FaultPlan& plan = g_plans[static_cast<int>(call)];
    if (plan.failures == 0 && !plan.pause) {
        return false;
    }
    if (plan.passes > 0) {
        --plan.passes;
        return false;
    }
    if (plan.pause) {
        const std::function<void()> pause = std::move(plan.pause);
        plan.pause = nullptr;
        pause();
        return false;
    }
    --plan.failures;
    ++g_injected;
    return true;
}

unsigned long FaultError(FaultCall call) {
    return g_plans[static_cast<int>(call)].error;
}

void PlanFault(FaultCall call, int passes, int failures, unsigned long error) {
    g_plans[static_cast<int>(call)] = FaultPlan{passes, failures, error, nullptr};
}

void PlanPause(FaultCall call, int passes, std::function<void()> action) {
    g_plans[static_cast<int>(call)] = FaultPlan{passes, 0, 0, std::move(action)};
}

int InjectedFaultCount() {
    return g_injected;
}

void ClearFaults() {
    g_plans.fill(FaultPlan{});
}

} // namespace tarvix
