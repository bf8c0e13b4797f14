// The engine: copies or moves one object at a time, with the existence checks, the replace
// question and the messages. Each box comes with the progress window showing the object it is
// about.
#pragma once
#include "EntryKind.h"
#include "FolderTransfer.h"
#include "common/ModalResult.h"

#include <initializer_list>

#include <string>

namespace tarvix {

class TFormProgress;

class TransferEngine {
  public:
    explicit TransferEngine(TFormProgress& window) : window_(window) {}

    // Copies (or, with `move`, moves) `source` to `destination`, asking and reporting as
    // needed. False only when the user chose to stop the batch.
    bool TransferObject(const std::wstring& source, const std::wstring& destination, bool move);

    // mrNo: ask before each replacement; mrYesToAll: replace without asking; mrCancel: the
    // batch is being stopped. A batch starts by asking.
    int ReplaceMode = mrNo;

  private:
    enum class Verdict { Go, Skip, Stop };
    enum class Outcome { Copied, Skipped, Failed, Stop };
    struct Source {
        const std::wstring& path;
        FileFacts facts;
        EntryKind kind;
    };
    Verdict CheckDestination(const std::wstring& source, const std::wstring& destination,
                             unsigned long attributes);
    Outcome CopyOntoExisting(const Source& source, const std::wstring& destination,
                             const CopyOptions& options);
    Outcome CopyToNew(const Source& source, const std::wstring& destination,
                      const CopyOptions& options);
    CopyOptions OptionsFor(bool move);
    void ShowError(unsigned textId, std::initializer_list<std::wstring> paths);

    TFormProgress& window_;
};

} // namespace tarvix
