// Shows each window of the product once, for scripts/screenshots: the save dialog, the
// progress window with the replace question, the rename series and time stamp dialogs and
// the message boxes. For every window it prints "HOLD <name> <left> <top> <width> <height>"
// (screen pixels) and keeps the window until the file <name>.done appears in <done folder>.
//
//   ScreenTour <done folder> <work folder>
//
// Folders are Windows paths. The work folder is filled with sample files and emptied again.
#include "commands/CopyMoveAs.h"
#include "fileops/CopyMoveRules.h"
#include "fileops/Progress.h"
#include "fileops/ReplaceQuestion.h"
#include "strings/Messages.h"
#include "platform/Text.h"
#include "platform/VisualStyles.h"
#include "rename/RenamSerIds.h"
#include "shell/Dispatch.h"
#include "shell/Server.h"
#include "strings/RSUnit.h"
#include "support/TempFolder.h"
#include "support/WindowRobot.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace tarvix;
using namespace tarvix::test;

namespace {

std::string g_doneFolder;

BOOL CALLBACK CountUnpainted(HWND window, LPARAM count) {
    if (::GetUpdateRect(window, nullptr, FALSE)) {
        ++*reinterpret_cast<int*>(count);
    }
    return TRUE;
}

bool Unpainted(HWND window) {
    int count = ::GetUpdateRect(window, nullptr, FALSE) ? 1 : 0;
    ::EnumChildWindows(window, CountUnpainted, reinterpret_cast<LPARAM>(&count));
    return count > 0;
}

constexpr UINT kHideCaret = WM_APP + 1;
WNDPROC g_caretWindowProc = nullptr;

LRESULT CALLBACK HideCaretProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kHideCaret) {
        ::HideCaret(window);
        return 0;
    }
    return ::CallWindowProcW(g_caretWindowProc, window, message, wParam, lParam);
}

// A blinking caret would be in a picture or not by chance, so it is hidden. Only the caret's
// own thread can hide it: a window procedure put in for one message runs there.
void HideCaretOf(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(thread, &info) || info.hwndCaret == nullptr) {
        return;
    }
    g_caretWindowProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        info.hwndCaret, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HideCaretProc)));
    ::SendMessageW(info.hwndCaret, kHideCaret, 0, 0);
    ::SetWindowLongPtrW(info.hwndCaret, GWLP_WNDPROC,
                        reinterpret_cast<LONG_PTR>(g_caretWindowProc));
}

// Makes the window look the same every time: active, its focused control set, no caret, and
// painted anew to the last control.
void Settle(HWND window) {
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    ::SetForegroundWindow(window);
    WaitUntil(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            return ::GetGUIThreadInfo(thread, &info) && info.hwndActive == window &&
                   info.hwndFocus != nullptr;
        },
        2000);
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer);
    HideCaretOf(thread);
    // An active caption; the save dialog's frame needs to be told.
    ::SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    WaitUntil([&] { return !Unpainted(window); }, 2000);
}

void Hold(const std::string& name, HWND window) {
    RECT frame{};
    ::GetWindowRect(window, &frame);
    Settle(window);
    std::printf("HOLD %s %ld %ld %ld %ld\n", name.c_str(), frame.left, frame.top,
                frame.right - frame.left, frame.bottom - frame.top);
    std::fflush(stdout);
    const std::string done = g_doneFolder + "\\" + name + ".done";
    if (!WaitUntil([&] { return Exists(done); }, 60000)) {
        std::fprintf(stderr, "no picture taken of %s\n", name.c_str());
    }
}

// Runs `show` on this thread while the robot holds the window `caption` for its picture and
// then presses `button`.
void Picture(const std::string& name, const std::string& caption, int button,
             const std::function<void()>& show) {
    WindowRobot robot;
    robot.Then(caption, [&](HWND window) {
        Hold(name, window);
        PressButton(window, button);
    });
    robot.Start();
    show();
    robot.Finish();
    if (!robot.AllStepsMet()) {
        std::fprintf(stderr, "%s never appeared\n", name.c_str());
    }
}

void ShowBox(MessageKind kind, MessageButtons buttons, const std::string& text) {
    const VisualStylesScope styles;
    ShowMessage(kind, buttons, text);
}

void SaveDialog(const std::string& work) {
    Selection selection({work + "\\report.txt", work + "\\notes.txt", work + "\\todo.txt"});
    Picture("save-dialog", "Copy selected objects with extension \x84.txt\x94 as...", IDCANCEL,
            [&] { RunCommandContained(0, selection); });
}

// The progress window stays open while it asks whether to replace a file, so both are taken
// then, the question moved below the window.
void ProgressAndReplace(const std::string& work) {
    WindowRobot robot;
    robot.Then("Confirm", [&](HWND box) {
        HWND progress = FindWindowByCaption("Copy", ::GetWindowThreadProcessId(box, nullptr));
        RECT frame{};
        ::GetWindowRect(progress, &frame);
        ::SetWindowPos(box, nullptr, frame.left, frame.bottom + 40, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER);
        Hold("progress", progress);
        Hold("replace-question", box);
        PressButton(box, IDCANCEL);
    });
    robot.Start();
    {
        const VisualStylesScope styles;
        TFormProgress form;
        form.SetCaption(LoadText(IDS_VERB_COPY));
        RunCopyMoveBatch(form, {work + "\\report.txt"}, work + "\\Backup\\*.*", pkKeepBoth, false);
    }
    robot.Finish();
    if (!robot.AllStepsMet()) {
        std::fprintf(stderr, "the replace question never appeared\n");
    }
}

void RenameSeries(const std::string& work) {
    std::vector<std::string> paths;
    for (const char* name : {"IMG_4711.jpg", "IMG_4712.jpg", "IMG_4720.jpg", "IMG_4733.jpg"}) {
        paths.push_back(work + "\\" + name);
    }
    Selection selection(paths);
    WindowRobot robot;
    robot.Then(LoadText(IDS_RENAME_CAPTION), [&](HWND dialog) {
        ::SetDlgItemTextA(dialog, IDC_RENAME_TEMPLATE, "Holiday ??");
        Hold("rename-series", dialog);
        PressButton(dialog, IDCANCEL);
    });
    robot.Start();
    RunCommandContained(2, selection);
    robot.Finish();
}

void TimeStamp(const std::string& work) {
    Selection selection({work + "\\report.txt"});
    Picture("time-stamp", LoadText(IDS_STAMP_CAPTION), IDCANCEL,
            [&] { RunCommandContained(3, selection); });
}

void MessageBoxes(const std::string& work) {
    const std::string source = work + "\\report.txt";
    const std::string destination = "E:\\Archive\\report.txt";
    Picture("error-box", "Error", IDOK, [&] {
        ShowBox(MessageKind::Error, MessageButtons::Ok,
                FormatText(IDS_WRITE_ERROR, {source, destination}));
    });
    Picture("information-box", "Information", IDNO, [] {
        ShowBox(MessageKind::Information, MessageButtons::YesNo, LoadText(IDS_HELP_NOT_FOUND));
    });
    Picture("confirmation-box", "Confirm", IDNO, [&] {
        ShowBox(MessageKind::Confirmation, MessageButtons::YesNo,
                FormatText(IDS_OBJECT_MISSING, {work + "\\draft.txt"}));
    });
}

void MakeSamples(const std::string& work) {
    MakeFolder(work);
    MakeFolder(work + "\\Backup");
    for (const char* name : {"report.txt", "notes.txt", "todo.txt", "IMG_4711.jpg", "IMG_4712.jpg",
                             "IMG_4720.jpg", "IMG_4733.jpg", "Backup\\report.txt"}) {
        WriteTextFile(work + "\\" + name, name);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ScreenTour <done folder> <work folder>\n");
        return 2;
    }
    g_doneFolder = argv[1];
    const std::string work = argv[2];
    ::OleInitialize(nullptr);
    MakeSamples(work);
    SaveDialog(work);
    ProgressAndReplace(work);
    RenameSeries(work);
    TimeStamp(work);
    MessageBoxes(work);
    RemoveTree(work);
    ::OleUninitialize();
    return 0;
}
