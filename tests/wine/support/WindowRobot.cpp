#include "WindowRobot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <thread>

namespace tarvix::test {
namespace {

struct Search {
    std::string caption;
    bool visibleOnly;
    HWND found = nullptr;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if ((!search->visibleOnly || ::IsWindowVisible(window)) &&
        WindowText(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct Collect {
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM parameter) {
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof(className));
    if (::IsWindowVisible(window) && std::string(className) == "#32770") {
        reinterpret_cast<Collect*>(parameter)->windows.push_back(window);
    }
    return TRUE;
}

// Until `stop`, offers every visible dialog of `thread` to `act` until `act` takes it (true);
// a taken window is not offered again while it lives, so a window still shown after it was
// answered (its thread has not processed the click yet) is not answered twice.
void PollDialogs(const std::atomic<bool>& stop, DWORD thread, DWORD intervalMs,
                 const std::function<bool(HWND)>& act) {
    std::vector<HWND> taken;
    while (!stop) {
        Collect dialogs;
        ::EnumThreadWindows(thread, CollectDialogs, reinterpret_cast<LPARAM>(&dialogs));
        for (HWND window : dialogs.windows) {
            if (std::find(taken.begin(), taken.end(), window) == taken.end() &&
                ::IsWindow(window) && act(window)) {
                taken.push_back(window);
            }
        }
        // Forget windows that are gone, so a handle the system reuses counts as new.
        taken.erase(std::remove_if(taken.begin(), taken.end(),
                                   [](HWND window) { return !::IsWindow(window); }),
                    taken.end());
        ::Sleep(intervalMs);
    }
}

} // namespace

std::string WindowText(HWND window) {
    char text[4096] = {};
    const int length = ::GetWindowTextA(window, text, sizeof(text));
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string ItemText(HWND dialog, int id) {
    return WindowText(::GetDlgItem(dialog, id));
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

std::string MessageBoxText(HWND box) {
    char text[4096] = {};
    const UINT length = ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    return std::string(text, length);
}

HWND FindWindowByCaption(const std::string& caption, DWORD thread) {
    Search search{caption, true};
    if (thread != 0) {
        ::EnumThreadWindows(thread, MatchCaption, reinterpret_cast<LPARAM>(&search));
    } else {
        ::EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (::GetTickCount64() > deadline) {
            return false;
        }
        ::Sleep(5);
    }
    return true;
}

HWND WaitForWindow(const std::string& caption, DWORD thread, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowByCaption(caption, thread)) != nullptr; }, timeoutMs);
    return found;
}

HWND FindChildByText(HWND parent, const std::string& text) {
    Search search{text, false};
    ::EnumChildWindows(parent, MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PressButton(HWND dialog, int id) {
    HWND button = ::GetDlgItem(dialog, id);
    if (button != nullptr) {
        ::PostMessageA(button, BM_CLICK, 0, 0);
    } else {
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
}

void PressButtonByText(HWND dialog, const std::string& text) {
    HWND button = FindChildByText(dialog, text);
    if (button != nullptr) {
        ::PostMessageA(button, BM_CLICK, 0, 0);
    }
}

void ExpectOnlyExpectedWindows(const std::vector<SeenWindow>& seen) {
    for (const SeenWindow& window : seen) {
        EXPECT_TRUE(window.expected) << "unexpected \"" << window.caption << "\": " << window.text;
    }
}

void PressEscape(HWND dialog) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

namespace {

// A window with a progress bar asks nothing: the user watches it (and its Cancel is a choice of
// its own, which no robot makes unasked).
bool ShowsProgress(HWND window) {
    bool found = false;
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM data) {
            char name[64] = {};
            ::GetClassNameA(child, name, sizeof(name));
            if (std::string(name) == PROGRESS_CLASSA) {
                *reinterpret_cast<bool*>(data) = true;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

struct WindowRobot::State {
    DWORD thread;
    std::mutex lock;
    std::deque<RobotStep> steps;
    std::vector<SeenWindow> seen;
    std::atomic<bool> stop{false};
    std::thread worker;
};

WindowRobot::WindowRobot(DWORD thread) : state_(new State) {
    state_->thread = thread;
}

WindowRobot::~WindowRobot() {
    if (state_->worker.joinable()) {
        Finish();
    }
    delete state_;
}

WindowRobot& WindowRobot::Then(const std::string& caption, std::function<void(HWND)> action) {
    std::lock_guard<std::mutex> guard(state_->lock);
    state_->steps.push_back(RobotStep{caption, std::move(action)});
    return *this;
}

WindowRobot& WindowRobot::Answer(const std::string& caption, int id) {
    return Then(caption, [id](HWND box) { PressButton(box, id); });
}

void WindowRobot::Start() {
    state_->worker = std::thread([this] { Run(); });
}

bool WindowRobot::AllStepsMet() const {
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->steps.empty();
}

std::vector<SeenWindow> WindowRobot::Finish() {
    state_->stop = true;
    if (state_->worker.joinable()) {
        state_->worker.join();
    }
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->seen;
}

void WindowRobot::Run() {
    PollDialogs(state_->stop, state_->thread, 5, [this](HWND window) {
        const std::string caption = WindowText(window);
        std::string text = MessageBoxText(window);
        if (text.empty()) {
            text = caption;
        }
        std::function<void(HWND)> action;
        {
            std::lock_guard<std::mutex> guard(state_->lock);
            if (!state_->steps.empty() && state_->steps.front().caption == caption) {
                action = std::move(state_->steps.front().action);
                state_->steps.pop_front();
                state_->seen.push_back(SeenWindow{caption, text, true});
            } else {
                state_->seen.push_back(SeenWindow{caption, text, false});
            }
        }
        if (action) {
            action(window);
        } else if (!ShowsProgress(window)) {
            PressEscape(window);
        }
        return true;
    });
}

} // namespace tarvix::test

namespace tarvix::test {

struct BoxAnswerer::State {
    DWORD thread;
    std::vector<std::string> ignored;
    Chooser choose;
    std::mutex lock;
    std::vector<std::pair<SeenWindow, int>> answered;
    std::atomic<bool> stop{false};
    std::thread worker;
};

namespace {

// The caption without sending a message, so a busy owner thread cannot block the reader.
std::string CaptionWithoutMessage(HWND window) {
    wchar_t text[512] = {};
    const int length = ::InternalGetWindowText(window, text, 512);
    char narrow[1024] = {};
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, text, length, narrow, sizeof(narrow), nullptr, nullptr);
    return std::string(narrow, size > 0 ? static_cast<std::size_t>(size) : 0);
}

} // namespace

BoxAnswerer::BoxAnswerer(DWORD thread, std::vector<std::string> ignored, Chooser choose)
    : state_(new State) {
    state_->thread = thread;
    state_->ignored = std::move(ignored);
    state_->choose = std::move(choose);
    state_->worker = std::thread([state = state_] {
        PollDialogs(state->stop, state->thread, 2, [state](HWND window) {
            const std::string caption = CaptionWithoutMessage(window);
            const bool skipped = caption.empty() ||
                                 std::find(state->ignored.begin(), state->ignored.end(), caption) !=
                                     state->ignored.end();
            if (skipped) {
                return false;
            }
            const std::string text = MessageBoxText(window);
            const int answer = state->choose(caption, text);
            {
                std::lock_guard<std::mutex> guard(state->lock);
                state->answered.emplace_back(SeenWindow{caption, text, true}, answer);
            }
            PressButton(window, answer);
            return true;
        });
    });
}

BoxAnswerer::~BoxAnswerer() {
    state_->stop = true;
    state_->worker.join();
    delete state_;
}

std::vector<std::pair<SeenWindow, int>> BoxAnswerer::TakeAnswered() {
    std::lock_guard<std::mutex> guard(state_->lock);
    std::vector<std::pair<SeenWindow, int>> answered;
    answered.swap(state_->answered);
    return answered;
}

} // namespace tarvix::test

namespace tarvix::test {

DialogAnswerer::DialogAnswerer(DWORD thread, std::function<void(HWND dialog)> act)
    : worker_([this, thread, act = std::move(act)] {
          PollDialogs(stop_, thread, 2, [&act](HWND window) {
              act(window);
              return true;
          });
      }) {}

DialogAnswerer::~DialogAnswerer() {
    stop_ = true;
    worker_.join();
}

} // namespace tarvix::test
