#include "fileops_support.h"

#include "platform/Text.h"
#include "strings/RSUnit.h"

#include <gtest/gtest.h>

namespace tarvix::test {

TransferRun RunTransfer(TransferEngine& engine, const std::wstring& source,
                        const std::wstring& destination, bool move,
                        const std::vector<Answer>& answers) {
    WindowRobot robot;
    for (const Answer& answer : answers) {
        robot.Answer(answer.caption, answer.button);
    }
    robot.Start();
    TransferRun run;
    run.result = engine.TransferObject(source, destination, move);
    EXPECT_TRUE(robot.AllStepsMet()) << "a box the test answers never came";
    run.seen = robot.Finish();
    return run;
}

std::string MissingText(const std::wstring& source) {
    return WideToAnsi(FormatText(IDS_OBJECT_MISSING, {source}));
}
std::string FolderExistsText(const std::wstring& destination, const std::wstring& source) {
    return WideToAnsi(FormatText(IDS_FOLDER_EXISTS, {destination, source}));
}
std::string FileExistsText(const std::wstring& destination) {
    return WideToAnsi(FormatText(IDS_FILE_EXISTS, {destination}));
}
std::string ProtectedText(const std::wstring& destination) {
    return WideToAnsi(FormatText(IDS_FILE_PROTECTED, {destination}));
}
std::string WriteErrorText(const std::wstring& source, const std::wstring& destination) {
    return WideToAnsi(FormatText(IDS_WRITE_ERROR, {source, destination}));
}
std::string RemoveErrorText(const std::wstring& source) {
    return WideToAnsi(FormatText(IDS_REMOVE_ERROR, {source}));
}

std::vector<std::string> Texts(const std::vector<SeenWindow>& seen) {
    std::vector<std::string> texts;
    for (const SeenWindow& window : seen) {
        texts.push_back(window.text);
    }
    return texts;
}

} // namespace tarvix::test
