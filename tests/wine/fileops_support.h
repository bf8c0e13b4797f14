// Helpers shared by the file operation tests: running the engine on one pair of paths while
// the window robot answers the boxes, and the texts the boxes are expected to show.
#pragma once
#include "fileops/Progress.h"
#include "fileops/Transfer.h"
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

// Runs TransferObject for source -> destination on `engine`, answering the boxes in order; a
// box of `answers` that never came fails the test.
TransferRun RunTransfer(TransferEngine& engine, const std::wstring& source,
                        const std::wstring& destination, bool move,
                        const std::vector<Answer>& answers);

// The message texts, as the string table gives them and as the robot reads them (ANSI).
std::string MissingText(const std::wstring& source);
std::string FolderExistsText(const std::wstring& destination, const std::wstring& source);
std::string FileExistsText(const std::wstring& destination);
std::string ProtectedText(const std::wstring& destination);
std::string WriteErrorText(const std::wstring& source, const std::wstring& destination);
std::string RemoveErrorText(const std::wstring& source);

// The texts of the boxes met, in order.
std::vector<std::string> Texts(const std::vector<SeenWindow>& seen);

} // namespace tarvix::test
