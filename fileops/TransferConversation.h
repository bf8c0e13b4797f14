// What the file engine asks of the user and tells the user while it works: the progress window
// answers for real runs, plain objects for tests. No platform calls.
#pragma once
#include <cstdint>
#include <string>

namespace tarvix {

// The engine's error boxes, each with one OK button.
enum class EngineMessage {
    FolderExists,  // destination, source
    FileProtected, // destination
    WriteError,    // source, destination
    RemoveError,   // source
};

class TransferConversation {
  public:
    virtual ~TransferConversation() = default;

    // The source is missing: may the batch go on (Yes)?
    virtual bool AskProceed(const std::wstring& source) = 0;
    // The destination file exists: mrYes, mrNo, mrCancel or mrYesToAll.
    virtual int AskReplace(const std::wstring& destination) = 0;
    virtual void Report(EngineMessage message, const std::wstring& first,
                        const std::wstring& second = std::wstring()) = 0;
    // How far the copy of the current file is.
    virtual void Tick(std::uint64_t bytesDone, std::uint64_t bytesTotal) = 0;
    // True once the user asked to stop the batch. Called often: between files, between entries
    // of a folder and while a file is copied.
    virtual bool ShouldStop() = 0;
};

} // namespace tarvix
