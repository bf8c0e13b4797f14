// The engine's user for the native tests: answers from a script, and a log of everything the
// engine asked, reported and showed, in order.
#pragma once
#include "fileops/BatchWindow.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace tarvix::test {

class ScriptedWindow final : public BatchWindow {
  public:
    // Answers to "Replace?" (mrYes, mrNo, mrCancel, mrYesToAll) and "Proceed?", in order; a
    // question the script has no answer for fails the test.
    std::deque<int> replaceAnswers;
    std::deque<bool> proceedAnswers;
    // Asked before each answer to ShouldStop; true stops the batch from then on.
    std::function<bool()> stopWhen;

    // What happened, one line each: "replace? D", "proceed? S", "folder exists D S",
    // "protected D", "write error S D", "remove error S".
    std::vector<std::wstring> log;
    int position = 0; // of the bar
    int max = 0;
    bool finished = false;
    std::uint64_t largestTick = 0;

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
    bool stopped_ = false;
};

} // namespace tarvix::test
