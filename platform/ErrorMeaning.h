// What the platform's error numbers mean to the file engine. No platform calls: the numbers are
// the system's documented ones, so the decisions are tested natively.
#pragma once
#include "FileSystem.h"

namespace tarvix {

// The result a failed file call gives the engine for its last error.
FsResult MeaningOf(unsigned long error);

// After ReplaceFile failed with `error`: rename the replacement over the replaced file instead
// (the volume cannot replace, or it removed the replaced file and could not give the
// replacement its name), or keep the meaning of the error.
enum class AfterReplaceFailure { RenameOver, Report };
AfterReplaceFailure NextStepAfterReplace(unsigned long error);

} // namespace tarvix
