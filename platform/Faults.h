// Failure injection for tests: a chosen platform call fails on its n-th use. Only the tests'
// build of the platform layer (TARVIX_TEST_SEAMS) has it; in the product every check is a
// constant false that the compiler removes.
#pragma once

namespace tarvix {

enum class FaultCall {
    FileCopy,
    FileDelete,
    FileMove,
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
// True when the call is planned to fail now; counts the call.
bool FaultNow(FaultCall call);

// After `passes` calls that succeed, the next `failures` calls fail.
void PlanFault(FaultCall call, int passes, int failures = 1);
void ClearFaults();
// How many calls the plans have failed so far, over the whole run.
int InjectedFaultCount();
#else
constexpr bool FaultNow(FaultCall) {
    return false;
}
#endif

} // namespace tarvix
