#include "TimeStampRun.h"

#include "fileops/Progress.h"
#include "platform/FileTimes.h"
#include "platform/LocalTime.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"
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

void PrepareProgress(TFormProgress& progress, std::size_t objectCount) {
    progress.SetCaption(LoadText(IDS_CAPTION_STAMP));
    progress.SetDestinationGroupCaption(LoadText(IDS_GROUP_TIME_STAMP));
    progress.SetMax(static_cast<int>(objectCount) + 1);
    progress.Show();
    progress.Step();
    progress.RepaintProgressBar();
}

// Repainting a control of the progress window costs far more than stamping an object (about a
// millisecond under Wine), so an object is shown only when the window was last brought up to
// date a while before, and the first and the last object always; the bar steps for each.
class DisplayPacer {
  public:
    explicit DisplayPacer(std::size_t count) : count_(count) {}
    bool ShowsObject(std::size_t index) {
        const ULONGLONG now = ::GetTickCount64();
        if (index == 0 || index + 1 == count_ || now - shownAt_ >= kIntervalMs) {
            shownAt_ = now;
            return true;
        }
        return false;
    }

  private:
    static constexpr ULONGLONG kIntervalMs = 40;
    std::size_t count_;
    ULONGLONG shownAt_ = 0;
};

// False when the object could not be opened or one of its stamps was refused. `display` is
// the progress window when this object is shown, else null.
bool StampObject(const std::string& path, const StampChoice& choice, const FILETIME& time,
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
            display->SetDestination(LoadText(kind.textId));
            display->RepaintDestination();
        }
        allSet = writer.Set(kind.stamp, time) && allSet;
    }
    return allSet;
}

} // namespace

void ApplyTimeStamps(const StampChoice& choice, const std::vector<std::string>& objects,
                     TFormProgress& progress) {
    bool failed = false;
    FILETIME time{};
    if (!LocalTimeToFileTime(EnteredTime(choice), time)) {
        failed = true;
    } else {
        const std::size_t count = objects.size();
        PrepareProgress(progress, count);
        DisplayPacer pacer(count);
        for (std::size_t index = 0; index < count; ++index) {
            const bool shown = pacer.ShowsObject(index);
            if (shown) {
                progress.SetSource(objects[index]);
                progress.RepaintSource();
            }
            failed =
                !StampObject(objects[index], choice, time, shown ? &progress : nullptr) || failed;
            progress.Step();
            if (shown) {
                progress.RepaintProgressBar();
            }
        }
    }
    if (failed) {
        ShowMessage(MessageKind::Error, MessageButtons::Ok, LoadText(IDS_STAMP_FAILED));
    }
}

} // namespace tarvix
