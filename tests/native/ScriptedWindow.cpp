#include "ScriptedWindow.h"

#include "common/ModalResult.h"

#include <gtest/gtest.h>

namespace tarvix::test {

void ScriptedWindow::Begin(std::size_t count) {
    max = static_cast<int>(count) + 1;
    position = 1;
}

bool ScriptedWindow::ShowObject(std::size_t, std::size_t, const std::wstring&,
                                const std::optional<std::wstring>&) {
    return true;
}

void ScriptedWindow::Step() {
    EXPECT_LT(position, max) << "the bar passed its range";
    ++position;
}

void ScriptedWindow::Finish() {
    finished = true;
}

bool ScriptedWindow::AskProceed(const std::wstring& source) {
    log.push_back(L"proceed? " + source);
    if (proceedAnswers.empty()) {
        ADD_FAILURE() << "unexpected Proceed question";
        return false;
    }
    const bool answer = proceedAnswers.front();
    proceedAnswers.pop_front();
    return answer;
}

int ScriptedWindow::AskReplace(const std::wstring& destination) {
    log.push_back(L"replace? " + destination);
    if (replaceAnswers.empty()) {
        ADD_FAILURE() << "unexpected Replace question";
        return mrCancel;
    }
    const int answer = replaceAnswers.front();
    replaceAnswers.pop_front();
    return answer;
}

void ScriptedWindow::Report(EngineMessage message, const std::wstring& first,
                            const std::wstring& second) {
    switch (message) {
    case EngineMessage::FolderExists:
        log.push_back(L"folder exists " + first + L" " + second);
        break;
    case EngineMessage::FileProtected:
        log.push_back(L"protected " + first);
        break;
    case EngineMessage::WriteError:
        log.push_back(L"write error " + first + L" " + second);
        break;
    case EngineMessage::RemoveError:
        log.push_back(L"remove error " + first);
        break;
    }
}

void ScriptedWindow::Tick(std::uint64_t bytesDone, std::uint64_t bytesTotal) {
    EXPECT_LE(bytesDone, bytesTotal);
    largestTick = std::max(largestTick, bytesDone);
}

bool ScriptedWindow::ShouldStop() {
    stopped_ = stopped_ || (stopWhen && stopWhen());
    return stopped_;
}

} // namespace tarvix::test
