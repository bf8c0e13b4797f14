// The progress window every file-changing command shows: the object being worked on
// (EditZdroj), where it goes or what is done to it (EditCil), and a bar.
#pragma once
#include "platform/DialogFrame.h"
#include "platform/Handles.h"
#include "platform/Win.h"

#include <cstddef>
#include <string>

namespace tarvix {

class TFormProgress final : private DialogFrame {
  public:
    // Creates the window, hidden, owned by the owner window.
    TFormProgress();
    // Closes and frees the window.
    ~TFormProgress();

    HWND Handle() const { return window_.Get(); }
    void SetCaption(const std::wstring& caption);
    void SetDestinationGroupCaption(const std::wstring& caption); // GroupBoxCil

    // EditZdroj and EditCil.
    void SetSource(const std::wstring& path);
    void SetDestination(const std::wstring& path);
    const std::wstring& Source() const { return source_; }
    const std::wstring& Destination() const { return destination_; }

    // ProgressBar: Min 0, Step 1.
    void SetMax(int max);
    void Step();
    int Position() const { return position_; }

    void Show(); // modeless
    // Immediate repaints (UpdateWindow), since no messages are processed during a run. Texts
    // and steps set before reach the screen with the next repaint.
    void RepaintWindow();
    void RepaintDestination();
    void RepaintProgressBar();
    // Repaints the window for object `index` of `count` when that is due: for the first and
    // the last object, and when it was last painted a while before. True when it repainted.
    bool RepaintForObject(std::size_t index, std::size_t count);

  private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PutChangesOnControls();

    WindowHandle window_;
    std::wstring source_;
    std::wstring destination_;
    bool sourceStale_ = false;
    bool destinationStale_ = false;
    int position_ = 0;
    int max_ = 100;
    bool barStale_ = false;
    unsigned long long paintedAt_ = 0;
};

} // namespace tarvix
