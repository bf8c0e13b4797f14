// Failure injection for tests: a chosen platform call fails on its n-th use. The product never
// plans a fault, so every check below answers false outside the tests.
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
    Crash,
    FileOpen,
    FolderList,
    Count
};

// True when the call is planned to fail now; counts the call.
bool FaultNow(FaultCall call);

// Test seam: after `passes` calls that succeed, the next `failures` calls fail.
void PlanFault(FaultCall call, int passes, int failures = 1);
void ClearFaults();
// How many calls the plans have failed so far, over the whole run.
int InjectedFaultCount();

} // namespace tarvix
