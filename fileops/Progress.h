// The progress window every file-changing command shows: the object being worked on
// (EditZdroj), where it goes or what is done to it (EditCil), a bar, how far the batch is, and
// Cancel. It is the engine's conversation with the user: its questions and error boxes come
// with the window showing the object they are about.
#pragma once
#include "BatchWindow.h"
#include "platform/DialogFrame.h"
#include "platform/Handles.h"
#include "platform/Win.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tarvix {

class TFormProgress final : private DialogFrame, public BatchWindow {
  public:
    // Creates the window, hidden, owned by the owner window.
    TFormProgress();
    // Closes and frees the window.
    ~TFormProgress() override;

    HWND Handle() const { return window_.Get(); }
    void SetCaption(const std::wstring& caption);
    void SetDestinationGroupCaption(const std::wstring& caption); // GroupBoxCil

    // EditCil for the time stamps, shown at once.
    void ShowDestinationNow(const std::wstring& text);

    // BatchWindow
    void Begin(std::size_t count) override;
    bool ShowObject(std::size_t index, std::size_t count, const std::wstring& source,
                    const std::optional<std::wstring>& destination) override;
    void Step() override;
    void Finish() override;
    bool AskProceed(const std::wstring& source) override;
    int AskReplace(const std::wstring& destination) override;
    void Report(EngineMessage message, const std::wstring& first,
                const std::wstring& second) override;
    void Tick(std::uint64_t bytesDone, std::uint64_t bytesTotal) override;
    bool ShouldStop() override;

  private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void SetMax(int max);
    void RepaintWindow();
    // At most every pacing interval: lets the window's own messages run (Cancel, Esc, Alt+F4,
    // its paints), looks at the queue, and brings the changed texts to screen.
    void Pace();
    void PutChangesOnControls();
    void ShowText(int control, const std::wstring& text, std::wstring& shown);
    void UpdateCountAndTimeLeft(unsigned long long now);
    void StopRequested();

    WindowHandle window_;
    std::wstring source_;
    std::wstring destination_;
    bool sourceStale_ = false;
    bool destinationStale_ = false;
    int position_ = 0;
    int max_ = 100;
    bool barStale_ = false;
    unsigned long long paintedAt_ = 0;
    unsigned long long pacedAt_ = 0;
    unsigned long long startedAt_ = 0;
    unsigned long long timeLeftAt_ = 0;
    bool running_ = false;
    bool stopRequested_ = false;
    // How far the batch is: objects done of the count, and the current file's bytes.
    std::size_t objectsDone_ = 0;
    std::size_t count_ = 0;
    std::uint64_t bytesDone_ = 0;
    std::uint64_t bytesTotal_ = 0;
    bool countStale_ = false;
    bool bytesStale_ = false;
    std::wstring shownCount_;
    std::wstring shownBytes_;
    std::wstring shownTimeLeft_;
};

} // namespace tarvix
