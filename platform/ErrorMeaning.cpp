#include "ErrorMeaning.h"

#include "common/Retry.h"

namespace tarvix {
namespace {

// The system's error numbers (winerror.h).
constexpr unsigned long kInvalidFunction = 1;
constexpr unsigned long kFileNotFound = 2;
constexpr unsigned long kPathNotFound = 3;
constexpr unsigned long kNotSameDevice = 17;
constexpr unsigned long kNotSupported = 50;
constexpr unsigned long kFileExists = 80;
constexpr unsigned long kAlreadyExists = 183;
constexpr unsigned long kUnableToMoveReplacement = 1176;
constexpr unsigned long kUnableToMoveReplacement2 = 1177;
constexpr unsigned long kRequestAborted = 1235;

} // namespace

FsResult MeaningOf(unsigned long error) {
    if (IsPassingError(error)) {
        return FsResult::Busy;
    }
    switch (error) {
    case kFileExists:
    case kAlreadyExists:
        return FsResult::Exists;
    case kFileNotFound:
    case kPathNotFound:
        return FsResult::NotFound;
    case kNotSameDevice:
        return FsResult::NotSameDevice;
    case kRequestAborted:
        return FsResult::Cancelled;
    case kInvalidFunction:
    case kNotSupported:
        return FsResult::NotSupported;
    default:
        return FsResult::Failed;
    }
}

AfterReplaceFailure NextStepAfterReplace(unsigned long error) {
    switch (error) {
    case kInvalidFunction:
    case kNotSupported:
    // The replaced file is gone and the replacement still has its temporary name: renaming it
    // is what gives the destination its content back.
    case kUnableToMoveReplacement:
    case kUnableToMoveReplacement2:
        return AfterReplaceFailure::RenameOver;
    default:
        return AfterReplaceFailure::Report;
    }
}

} // namespace tarvix
