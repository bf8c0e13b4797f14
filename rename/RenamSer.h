// The rename-series dialog: new names from a template and a start number, or from the
// clipboard, old names reorderable, and the conflict check on OK.
#pragma once
#include "platform/DialogFrame.h"
#include "platform/Handles.h"
#include "platform/Win.h"

#include <string>
#include <vector>

namespace tarvix {

class TFormRenamSer final : private DialogFrame {
  public:
    // `oldNames`: the bare names in renaming order; `defaultTemplate` goes into EditTemplate.
    TFormRenamSer(std::wstring defaultTemplate, std::vector<std::wstring> oldNames);
    ~TFormRenamSer();

    // Shows the dialog, owned by the owner window; mrOk after a confirmed OK, else mrCancel.
    int ShowModal();

    // ListBoxOld and ListBoxNew as the dialog left them; item i of one belongs to item i of
    // the other, in renaming order.
    const std::vector<std::wstring>& OldNames() const { return oldNames_; }
    const std::vector<std::wstring>& NewNames() const { return newNames_; }

  private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void InitDialog();
    void Command(int id, int code);

    void EditTemplateChange();
    void EditStartChange();
    void CheckBoxFromClipboardClick();
    void ButtonUpClick();
    void ButtonDownClick();
    void ButtonOKClick();
    void UpdateNewNames();

    void LeaveClipboardMode();
    void EnableTemplateControls(bool enable);
    void ShowNewNames(std::vector<std::wstring> names);
    void ExchangeOldNames(int selected, int other);
    void WriteStartText(int number);

    FontHandle newNamesFont_; // outlives the dialog, whose list uses it
    std::wstring FTemplate;
    int FStartNumber = 0;
    std::wstring defaultTemplate_;
    std::vector<std::wstring> oldNames_;
    std::vector<std::wstring> newNames_;
    bool writingStart_ = false;
};

} // namespace tarvix
