#include "fileops_support.h"

#include <gtest/gtest.h>

namespace tarvix::test {
namespace {

// A path between the marks „ and ”, in the ANSI code page as the boxes show it.
std::string Quoted(const std::wstring& path) {
    const int size = static_cast<int>(path.size());
    const int length =
        ::WideCharToMultiByte(CP_ACP, 0, path.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, path.data(), size, ansi.data(), length, nullptr, nullptr);
    return "\x84" + ansi + "\x94";
}

} // namespace

TransferRun RunTransfer(TransferEngine& engine, const std::wstring& source,
                        const std::wstring& destination, bool move,
                        const std::vector<Answer>& answers) {
    WindowRobot robot;
    for (const Answer& answer : answers) {
        robot.Answer(answer.caption, answer.button);
    }
    robot.Start();
    TransferRun run;
    run.result = engine.TransferObject(Transfer{source, destination}, move);
    EXPECT_TRUE(robot.AllStepsMet()) << "a box the test answers never came";
    run.seen = robot.Finish();
    return run;
}

std::string MissingText(const std::wstring& source) {
    return "Object " + Quoted(source) + " does not exists.\r\n\r\nProceed?";
}
std::string FolderExistsText(const std::wstring& destination, const std::wstring& source) {
    return "Folder " + Quoted(destination) + " already exists.\r\nFolder " + Quoted(source) +
           " will not be moved or copied.";
}
std::string FileExistsText(const std::wstring& destination) {
    return "File " + Quoted(destination) + " already exists.\r\n\r\nReplace?";
}
std::string WriteErrorText(const std::wstring& source, const std::wstring& destination) {
    return "Write error for " + Quoted(source) + "\r\nto " + Quoted(destination) + ".";
}
std::string RemoveErrorText(const std::wstring& source) {
    return "Remove error for object " + Quoted(source) + ".";
}

std::vector<std::string> Texts(const std::vector<SeenWindow>& seen) {
    std::vector<std::string> texts;
    for (const SeenWindow& window : seen) {
        texts.push_back(window.text);
    }
    return texts;
}

} // namespace tarvix::test
