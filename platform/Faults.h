// Failure injection for tests: a chosen platform call fails on its n-th use, with a chosen error,
// or first lets the test act (a user pressing a button while the call waits). Only the tests'
// build of the platform layer (TARVIX_TEST_SEAMS) has it; in the product every check is a
// constant false that the compiler removes.
#pragma once
#ifdef TARVIX_TEST_SEAMS
#include <functional>
#endif

namespace tarvix {

enum class FaultCall {
    FileCopy,
    FileDelete,
    FileMove,
    FileReplace,
    FolderCreate,
    FolderRemove,
    FileTimeSet,
    ClipboardOpen,
    RegistryCreateKey,
    RegistrySetValue,
    StringLoad,
    Allocation,
    FileOpen,
    FolderList,
    Count
};

#ifdef TARVIX_TEST_SEAMS
// True when the call is planned to fail now; counts the call. The failing call's error is then
// the planned one (see FaultError).
bool FaultNow(FaultCall call);
unsigned long FaultError(FaultCall call);

// After `passes` calls that succeed, the next `failures` calls fail with `error` (access denied
// unless given).
void PlanFault(FaultCall call, int passes, int failures = 1, unsigned long error = 5);
// After `passes` calls, the next one first runs `action` on the calling thread, then goes on.
void PlanPause(FaultCall call, int passes, std::function<void()> action);
void ClearFaults();
// How many calls the plans have failed so far, over the whole run.
int InjectedFaultCount();
#else
constexpr bool FaultNow(FaultCall) {
    return false;
}
constexpr unsigned long FaultError(FaultCall) {
    return 0;
}
#endif

} // namespace tarvix
