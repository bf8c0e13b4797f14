// The one helper through which tests see and answer windows, as a user would: it finds a
// window by caption (polling with a deadline, never a fixed sleep), reads its texts and presses
// its buttons. It works on a thread of its own while the test's thread runs the command.
#pragma once
#include "platform/Win.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace tarvix::test {

// Top-level windows of `thread` (0: any thread of this process) with this caption.
HWND FindWindowByCaption(const std::string& caption, DWORD thread = 0);
// Polls until such a window is visible; null after the deadline.
HWND WaitForWindow(const std::string& caption, DWORD thread = 0, DWORD timeoutMs = 15000);
// Polls until `condition` holds; false after the deadline.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 15000);

std::string WindowText(HWND window);
// The text of the dialog's control `id`.
std::string ItemText(HWND dialog, int id);
// The control that has the keyboard focus on the thread of `window`.
HWND FocusOf(HWND window);
// The message text of a message box.
std::string MessageBoxText(HWND box);
// A child control by its caption (e.g. "&Yes"), or null.
HWND FindChildByText(HWND parent, const std::string& text);
void PressButton(HWND dialog, int id);
void PressButtonByText(HWND dialog, const std::string& text);

// cmb13: the name box of the Explorer-style save dialog.
constexpr int kFileNameBox = 0x47c;

// What the robot met.
struct SeenWindow {
    std::string caption;
    std::string text; // message text of a message box, else the window text
    bool expected = false;
};

// A step: wait for a window with `caption`, then act on it. The action runs on the robot's
// thread; it may read and drive the window, and must end it or leave it to the command.
struct RobotStep {
    std::string caption;
    std::function<void(HWND)> action;
};

class WindowRobot {
  public:
    // Watches the windows of `thread` (the thread that runs the commands).
    explicit WindowRobot(DWORD thread = ::GetCurrentThreadId());
    ~WindowRobot();
    WindowRobot(const WindowRobot&) = delete;
    WindowRobot& operator=(const WindowRobot&) = delete;

    // Queue steps before the command runs; they are met in order.
    WindowRobot& Then(const std::string& caption, std::function<void(HWND)> action);
    // Common step: a message box with this caption, answered with the button `id`.
    WindowRobot& Answer(const std::string& caption, int id);
    void Start();
    // Stops watching and returns every window met; a window that no step expected was
    // closed (Esc) so the command could go on, and is listed with expected = false. A progress
    // window is listed and left alone.
    std::vector<SeenWindow> Finish();
    // True when every queued step was met.
    bool AllStepsMet() const;

  private:
    void Run();
    struct State;
    State* state_;
};

// Convenience: closing by the Esc key as a user would (IDCANCEL).
void PressEscape(HWND dialog);

// Every window the robot met was one a step expected: a box no step waited for fails the test.
void ExpectOnlyExpectedWindows(const std::vector<SeenWindow>& seen);

} // namespace tarvix::test

namespace tarvix::test {

// Answers every box of `thread` as it appears, with the button `choose` picks from its
// caption and text, until stopped; windows whose caption is in `ignored` are left alone.
// For runs whose questions cannot be listed beforehand.
class BoxAnswerer {
  public:
    using Chooser = std::function<int(const std::string& caption, const std::string& text)>;
    BoxAnswerer(DWORD thread, std::vector<std::string> ignored, Chooser choose);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // Every box answered so far, with its answer, in order; the seen list is emptied.
    std::vector<std::pair<SeenWindow, int>> TakeAnswered();

  private:
    struct State;
    State* state_;
};

} // namespace tarvix::test

namespace tarvix::test {

// Hands every new dialog of `thread` (message boxes included, captioned or not) once to `act`
// on a thread of its own, until destroyed. For runs where even the captions may be missing.
class DialogAnswerer {
  public:
    DialogAnswerer(DWORD thread, std::function<void(HWND dialog)> act);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  private:
    std::atomic<bool> stop_{false};
    std::thread worker_;
};

} // namespace tarvix::test
