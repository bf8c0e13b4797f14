// Helpers shared by the file operation tests: the engine on real files, with the progress
// window's boxes answered by the window robot, and the texts the boxes are expected to show.
#pragma once
#include "fileops/Progress.h"
#include "fileops/Transfer.h"
#include "platform/WindowsFileSystem.h"
#include "support/WindowRobot.h"

#include <string>
#include <utility>
#include <vector>

namespace tarvix::test {

struct Answer {
    std::string caption; // "Confirm" or "Error"
    int button;
};

struct TransferRun {
    bool result = true;
    std::vector<SeenWindow> seen;
};

// The engine on the platform's files, talking to the user through a progress window.
struct RealEngine {
    TFormProgress window;
    WindowsFileSystem files;
    TransferEngine engine{files, window};
};

// Runs TransferObject for source -> destination, answering the boxes in order; a box of
// `answers` that never came fails the test.
TransferRun RunTransfer(TransferEngine& engine, const std::wstring& source,
                        const std::wstring& destination, bool move,
                        const std::vector<Answer>& answers);

// The message texts as the user reads them (ANSI), spelled out here rather than taken from the
// product's string table.
std::string MissingText(const std::wstring& source);
std::string FolderExistsText(const std::wstring& destination, const std::wstring& source);
std::string FileExistsText(const std::wstring& destination);
std::string WriteErrorText(const std::wstring& source, const std::wstring& destination);
std::string RemoveErrorText(const std::wstring& source);

// The texts of the boxes met, in order.
std::vector<std::string> Texts(const std::vector<SeenWindow>& seen);

} // namespace tarvix::test
