#include "TimeStampRun.h"

#include "fileops/BatchRun.h"
#include "fileops/Progress.h"
#include "platform/FileTimes.h"
#include "platform/LocalTime.h"
#include "platform/Text.h"
#include "strings/Messages.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

struct StampKind {
    bool StampChoice::*checked;
    FileStamp stamp;
    unsigned textId;
};

// The order in which the stamps are applied to each object.
constexpr StampKind kStampKinds[] = {
    {&StampChoice::created, FileStamp::Created, IDS_STAMP_CREATED},
    {&StampChoice::modified, FileStamp::Modified, IDS_STAMP_MODIFIED},
    {&StampChoice::accessed, FileStamp::Accessed, IDS_STAMP_ACCESSED},
};

SYSTEMTIME EnteredTime(const StampChoice& choice) {
    SYSTEMTIME entered{};
    entered.wYear = static_cast<WORD>(choice.year);
    entered.wMonth = static_cast<WORD>(choice.month);
    entered.wDay = static_cast<WORD>(choice.day);
    entered.wHour = static_cast<WORD>(choice.hour);
    entered.wMinute = static_cast<WORD>(choice.minute);
    entered.wSecond = static_cast<WORD>(choice.second);
    return entered;
}

// False when the object could not be opened or one of its stamps was refused. `display` is
// the progress window when this object is shown, else null.
bool StampObject(const std::wstring& path, const StampChoice& choice, const FILETIME& time,
                 TFormProgress* display) {
    FileTimeWriter writer(path);
    if (!writer.IsOpen()) {
        return false;
    }
    bool allSet = true;
    for (const StampKind& kind : kStampKinds) {
        if (!(choice.*kind.checked)) {
            continue;
        }
        if (display != nullptr) {
            display->ShowDestinationNow(LoadText(kind.textId));
        }
        allSet = writer.Set(kind.stamp, time) && allSet;
    }
    return allSet;
}

} // namespace

void ApplyTimeStamps(const StampChoice& choice, const std::vector<std::wstring>& objects,
                     TFormProgress& progress) {
    bool failed = false;
    FILETIME time{};
    if (!LocalTimeToFileTime(EnteredTime(choice), time)) {
        failed = true;
    } else {
        progress.SetCaption(LoadText(IDS_CAPTION_STAMP));
        progress.SetDestinationGroupCaption(LoadText(IDS_GROUP_TIME_STAMP));
        RunBatch(
            progress, objects.size(),
            [&](std::size_t index) {
                return BatchObject{objects[index], std::nullopt};
            },
            [&](std::size_t index, bool shown) {
                failed = !StampObject(objects[index], choice, time, shown ? &progress : nullptr) ||
                         failed;
                return true;
            });
    }
    // A run the user stopped ends as it was told to, without a message.
    if (failed && !progress.ShouldStop()) {
        ShowError(IDS_STAMP_FAILED);
    }
}

} // namespace tarvix
