// The time-stamp dialog: one local date and time, each part in a number field with a wrapping
// spin, and the choice of the stamps to set. It only collects and normalises; it touches no file.
#pragma once
#include "StampChoice.h"
#include "StampFields.h"
#include "platform/DialogFrame.h"
#include "platform/Win.h"

#include <array>
#include <string>

namespace tarvix {

class TFormStamp final : private DialogFrame {
  public:
    // Shows the dialog modally over the owner window, starting from 1 January 2000, 00:00:00
    // with all three stamps; mrOk (only with a valid date) or mrCancel.
    int ShowModal();
    // The six spin positions and the three check boxes as the dialog closed with OK.
    const StampChoice& Choice() const { return choice_; }

  private:
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int code);
    void InitControls();

    void FormShow();
    bool EditKeyPress(wchar_t key);
    void EditExit(StampField field);
    void UpDownDenClick(StampField field, bool up);
    void ButtonNowClick();
    void ButtonOKClick();
    void ButtonCancelClick();

    // CheckDay .. CheckSecond: the typed text becomes the spin's position and the field's last
    // good text, or an unreadable text gives way to the last good text.
    void CheckField(StampField field);
    void CheckAllFields();

    HWND Edit(StampField field) const;
    HWND UpDown(StampField field) const;
    int Position(StampField field) const;
    void SetFieldText(StampField field, const std::wstring& text);

    bool closing_ = false;
    // FDayText, FMonthText, FYearText, FHourText, FMinuteText, FSecondText.
    std::array<std::wstring, kStampFieldCount> lastGoodText_;
    StampChoice choice_;
};

} // namespace tarvix
