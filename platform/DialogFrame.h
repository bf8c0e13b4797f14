// The product's own dialogs: a template from the module's resources (or built in memory) whose
// messages go to OnMessage of the object. No C++ exception may unwind through the system's
// dialog manager: one thrown by OnMessage ends a modal dialog, and the call that showed or
// created the dialog raises it again once the system's frames are left.
#pragma once
#include "Win.h"

#include <exception>

namespace tarvix {

class DialogFrame {
  public:
    DialogFrame(const DialogFrame&) = delete;
    DialogFrame& operator=(const DialogFrame&) = delete;

  protected:
    DialogFrame() = default;
    virtual ~DialogFrame() = default;

    // Modal over the owner window; the value EndDialog gave. The owner window is the same
    // afterwards, also when the dialog made itself the owner of its message boxes.
    INT_PTR ShowModalDialog(int templateId);
    INT_PTR ShowModalDialog(const DLGTEMPLATE* dialogTemplate);
    // Modeless and hidden, owned by the owner window; null when it could not be made.
    HWND CreateModelessDialog(int templateId);

    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    HWND Window() const { return window_; }
    HWND Item(int id) const { return ::GetDlgItem(window_, id); }

  private:
    static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Finish(INT_PTR result);

    HWND window_ = nullptr;
    bool modal_ = false;
    std::exception_ptr failure_;
};

} // namespace tarvix
