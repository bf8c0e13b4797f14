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

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

using namespace tarvix;
using namespace tarvix::test;

namespace {

std::wstring g_doneFolder;

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
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer);
    HideCaretOf(thread);
    // An active caption; the save dialog's frame needs to be told.
    ::SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
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
    const std::wstring done = g_doneFolder + L"\\" + W(name) + L".done";
    if (!WaitUntil([&] { return Exists(done); }, 60000)) {
        std::fprintf(stderr, "no picture taken of %s\n", name.c_str());
    }
}

// Runs `show` on this thread while the robot holds the window `caption` for its picture and
// then presses `button`. The robot finds windows by their ANSI captions.
void Picture(const std::string& name, const std::wstring& caption, int button,
             const std::function<void()>& show) {
    WindowRobot robot;
    robot.Then(WideToAnsi(caption), [&](HWND window) {
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

void ShowBox(MessageKind kind, MessageButtons buttons, const std::wstring& text) {
    const VisualStylesScope styles;
    ShowMessage(kind, buttons, text);
}

void SaveDialog(const std::wstring& work) {
    Selection selection({work + L"\\report.txt", work + L"\\notes.txt", work + L"\\todo.txt"});
    Picture("save-dialog", FormatText(IDS_TITLE_SAME_EXT, {LoadText(IDS_VERB_COPY), L".txt"}),
            IDCANCEL, [&] { RunCommandContained(0, selection); });
}

// The progress window in the middle of a long copy: the third of 120 objects, a large file a
// third copied, and (after two seconds of work) the time left.
void Progress(const std::wstring& work) {
    const std::wstring caption = LoadText(IDS_VERB_COPY);
    std::atomic<bool> taken{false};
    WindowRobot robot;
    robot.Then(WideToAnsi(caption), [&](HWND window) {
        Hold("progress", window);
        taken = true;
    });
    const VisualStylesScope styles;
    TFormProgress form;
    form.SetCaption(caption);
    form.Begin(120);
    form.Step(); // two objects done
    form.Step();
    form.ShowObject(2, 120, work + L"\\Holiday 2023.mp4", work + L"\\Backup\\Holiday 2023.mp4");
    const ULONGLONG start = ::GetTickCount64();
    bool started = false;
    while (!taken && ::GetTickCount64() - start < 90000) {
        form.Tick(1229ull << 20, 3584ull << 20);
        form.ShouldStop();
        ::Sleep(20);
        if (!started && ::GetTickCount64() - start >= 2500) {
            robot.Start(); // once the time left is known
            started = true;
        }
    }
    robot.Finish();
}

// The question whether to replace a file comes while the progress window shows the object.
void ReplaceQuestion(const std::wstring& work) {
    WindowRobot robot;
    robot.Then(WideToAnsi(LoadText(IDS_CAPTION_CONFIRM)), [&](HWND box) {
        Hold("replace-question", box);
        PressButton(box, IDCANCEL);
    });
    robot.Start();
    {
        const VisualStylesScope styles;
        TFormProgress form;
        form.SetCaption(LoadText(IDS_VERB_COPY));
        RunCopyMoveBatch(form, {work + L"\\report.txt"}, work + L"\\Backup\\*.*", pkKeepBoth,
                         false);
    }
    robot.Finish();
    if (!robot.AllStepsMet()) {
        std::fprintf(stderr, "the replace question never appeared\n");
    }
}

void RenameSeries(const std::wstring& folder, const std::vector<std::wstring>& names,
                  const std::wstring& seriesTemplate, const char* picture) {
    std::vector<std::wstring> paths;
    for (const std::wstring& name : names) {
        paths.push_back(folder + L"\\" + name);
    }
    Selection selection(paths);
    WindowRobot robot;
    robot.Then(WideToAnsi(LoadText(IDS_RENAME_CAPTION)), [&](HWND dialog) {
        ::SetDlgItemTextW(dialog, IDC_RENAME_TEMPLATE, seriesTemplate.c_str());
        Hold(picture, dialog);
        PressButton(dialog, IDCANCEL);
    });
    robot.Start();
    RunCommandContained(2, selection);
    robot.Finish();
}

void TimeStamp(const std::wstring& work) {
    Selection selection({work + L"\\report.txt"});
    Picture("time-stamp", LoadText(IDS_STAMP_CAPTION), IDCANCEL,
            [&] { RunCommandContained(3, selection); });
}

void MessageBoxes(const std::wstring& work) {
    const std::wstring source = work + L"\\report.txt";
    const std::wstring destination = L"E:\\Archive\\report.txt";
    Picture("error-box", LoadText(IDS_CAPTION_ERROR), IDOK, [&] {
        ShowBox(MessageKind::Error, MessageButtons::Ok,
                FormatText(IDS_WRITE_ERROR, {source, destination}));
    });
    Picture("information-box", LoadText(IDS_CAPTION_INFORMATION), IDNO, [] {
        ShowBox(MessageKind::Information, MessageButtons::YesNo, LoadText(IDS_HELP_NOT_FOUND));
    });
    Picture("confirmation-box", LoadText(IDS_CAPTION_CONFIRM), IDNO, [&] {
        ShowBox(MessageKind::Confirmation, MessageButtons::YesNo,
                FormatText(IDS_OBJECT_MISSING, {work + L"\\draft.txt"}));
    });
}

// Names beyond the ANSI code page, for the picture of a series: Polish, Greek, Russian and
// Czech (Wine has no font here for Japanese or emoji, which the tests use).
const wchar_t kTripFolder[] = L"V\u00fdlet do \u0141odzi";
const std::vector<std::wstring> kTripNames = {L"\u0141\u00f3d\u017a n\u00e1m\u011bst\u00ed.jpg",
                                              L"\u0391\u03b8\u03ae\u03bd\u03b1.jpg",
                                              L"\u041c\u043e\u0441\u043a\u0432\u0430.jpg",
                                              L"\u017dlu\u0165ou\u010dk\u00fd k\u016f\u0148.jpg"};

void MakeSamples(const std::wstring& work) {
    MakeFolder(work);
    MakeFolder(work + L"\\Backup");

    for (const char* name : {"report.txt", "notes.txt", "todo.txt", "IMG_4711.jpg", "IMG_4712.jpg",
                             "IMG_4720.jpg", "IMG_4733.jpg", "Backup\\report.txt"}) {
        WriteTextFile(work + L"\\" + W(name), name);
    }
}

} // namespace

int main() {
    // The folders arrive as UTF-16, whatever the ANSI code page holds.
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const bool wellFormed = argv != nullptr && argc == 3;
    std::wstring work;
    if (wellFormed) {
        g_doneFolder = argv[1];
        work = argv[2];
    }
    ::LocalFree(argv);
    if (!wellFormed) {
        std::fprintf(stderr, "usage: ScreenTour <done folder> <work folder>\n");
        return 2;
    }
    ::OleInitialize(nullptr);
    MakeSamples(work);
    SaveDialog(work);
    Progress(work);
    ReplaceQuestion(work);
    RenameSeries(work, {L"IMG_4711.jpg", L"IMG_4712.jpg", L"IMG_4720.jpg", L"IMG_4733.jpg"},
                 L"Holiday ??", "rename-series");
    // Made only now, so that the other pictures do not show it.
    const std::wstring trip = work + L"\\" + kTripFolder;
    MakeFolder(trip);
    for (const std::wstring& name : kTripNames) {
        WriteTextFile(trip + L"\\" + name, "photo");
    }
    RenameSeries(trip, kTripNames, L"V\u00fdlet ??", "rename-series-names");
    TimeStamp(work);
    MessageBoxes(work);
    RemoveTree(work);
    ::OleUninitialize();
    return 0;
}
