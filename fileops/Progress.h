// The progress window every file-changing command shows, and the engine that copies or moves
// one object at a time (TransferObject) on it.
#pragma once
#include "fileops/CopyMoveRules.h"
#include "fileops/SaveDialog.h"
#include "platform/DialogFrame.h"
#include "platform/Handles.h"
#include "platform/Win.h"

#include <string>
#include <vector>

namespace tarvix {

// Modal results, as the message boxes and dialogs answer.
enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrYes = 6,
    mrNo = 7,
    mrYesToAll = 10,
};

class TFormProgress final : private DialogFrame {
  public:
    // Creates the window, hidden, owned by the owner window.
    TFormProgress();
    // Closes and frees the window.
    ~TFormProgress();

    HWND Handle() const { return window_.Get(); }
    void SetCaption(const std::string& caption);
    void SetSourceGroupCaption(const std::string& caption);      // GroupBoxZdroj
    void SetDestinationGroupCaption(const std::string& caption); // GroupBoxCil

    // EditZdroj and EditCil.
    void SetSource(const std::string& path);
    void SetDestination(const std::string& path);
    std::string Source() const;
    std::string Destination() const;

    // ProgressBar: Min 0, Step 1.
    void SetMax(int max);
    void Step();
    int Position() const;

    void Show(); // modeless
    // Immediate repaints (UpdateWindow), since no messages are processed during a run. Texts
    // and steps set before reach the screen with the next repaint.
    void RepaintWindow();
    void RepaintSource();
    void RepaintDestination();
    void RepaintProgressBar();

    // Copies (or, with `move`, moves) the object named by EditZdroj to the path in EditCil,
    // asking and reporting as needed. False only when the user chose to stop the batch.
    bool TransferObject(bool move);

    // Copy as / Move as on this window: save dialog, then one TransferObject per object.
    void CopyMoveAs(const std::vector<std::string>& list, bool move);
    // The batch of Copy as / Move as after the dialog closed with `finalPath` and `pattern`:
    // shows the window and hands every object of `list` to TransferObject.
    void RunCopyMoveBatch(const std::vector<std::string>& list, const std::string& finalPath,
                          PatternKind pattern, bool move);

    // The save dialog's close validation for the entry the user confirmed.
    void SaveDialogCanClose(const SaveDialogEntry& entry, bool& canClose);
    // Key comparisons over ObjectList.
    bool AllShare(KeyPart part) const;
    bool AnyPairShares(KeyPart part) const;

    // mrNo: ask before each replacement; mrYesToAll: replace without asking; mrCancel:
    // the batch is being stopped.
    int ReplaceMode = mrNone;

  private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PutChangesOnControls();

    WindowHandle window_;
    std::string source_;
    std::string destination_;
    bool sourceStale_ = false;
    bool destinationStale_ = false;
    int position_ = 0;
    int max_ = 100;
    bool barStale_ = false;
    std::vector<std::string> ObjectList;
    SelectionKind selectionKind_ = skSingle;
    PatternKind patternKind_ = pkPlainName;
};

} // namespace tarvix
