#include "Faults.h"

#include <array>

namespace tarvix {
namespace {

struct FaultPlan {
    int passes = 0;
    int failures = 0;
};

std::array<FaultPlan, static_cast<int>(FaultCall::Count)> g_plans;
int g_injected = 0;

} // namespace

bool FaultNow(FaultCall call) {
    FaultPlan& plan = g_plans[static_cast<int>(call)];
    if (plan.failures == 0) {
        return false;
    }
    if (plan.passes > 0) {
        --plan.passes;
        return false;
    }
    --plan.failures;
    ++g_injected;
    return true;
}

void PlanFault(FaultCall call, int passes, int failures) {
    g_plans[static_cast<int>(call)] = FaultPlan{passes, failures};
}

int InjectedFaultCount() {
    return g_injected;
}

void ClearFaults() {
    g_plans.fill(FaultPlan{});
}

} // namespace tarvix
