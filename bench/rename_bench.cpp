// The rename-series dialog with many objects: opening until the new names are listed, one
// template change with its recomputation, and the OK check. Each figure compares 10,000
// objects with 100 times the cost of 100, so a ratio near 1 shows linear growth.
#include "Bench.h"
#include "platform/Module.h"
#include "rename/RenamSer.h"
#include "rename/RenamSerIds.h"

#include <algorithm>
#include <cwchar>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace tarvix::bench {
namespace {

constexpr int kSmall = 100;
constexpr int kLarge = 10000;
constexpr int kSessions = 3;
constexpr int kChanges = 5;
constexpr double kLinearBudget = 1.5;

struct SessionTimes {
    double open = 1e300;
    double change = 1e300;
    double okCheck = 1e300;
};

double NowMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs on the dialog's first pass through its message loop, after the dialog is filled.
std::function<void()> g_onceOpen;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP && g_onceOpen) {
        std::function<void()> action = std::move(g_onceOpen);
        g_onceOpen = nullptr;
        action();
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

std::vector<std::wstring> OldNames(int count) {
    std::vector<std::wstring> names;
    wchar_t name[32];
    for (int i = 0; i < count; ++i) {
        std::swprintf(name, std::size(name), L"IMG_%05d.JPG", i);
        names.emplace_back(name);
    }
    return names;
}

void MeasureSession(HWND owner, int count, SessionTimes& best) {
    TFormRenamSer form(L"Scans?", OldNames(count));
    double started = 0;
    g_onceOpen = [&] {
        best.open = std::min(best.open, NowMs() - started);
        // Not shown yet: the dialog manager shows it once its queue is first empty.
        const HWND dialog = ::FindWindowW(L"#32770", L"Rename series");
        for (int change = 0; change < kChanges; ++change) {
            const wchar_t* text = change % 2 == 0 ? L"Holiday ???" : L"Holiday ??";
            const double before = NowMs();
            ::SetDlgItemTextW(dialog, IDC_RENAME_TEMPLATE, text);
            best.change = std::min(best.change, NowMs() - before);
        }
        const double before = NowMs();
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_RENAME_OK, BN_CLICKED), 0);
        best.okCheck = std::min(best.okCheck, NowMs() - before);
    };
    SetOwnerWindow(owner);
    started = NowMs();
    ::PostMessageA(owner, WM_APP, 0, 0);
    form.ShowModal();
    SetOwnerWindow(nullptr);
}

SessionTimes Measure(HWND owner, int count) {
    SessionTimes best;
    for (int session = 0; session < kSessions; ++session) {
        MeasureSession(owner, count, best);
    }
    return best;
}

void AddLinearFigure(std::vector<Figure>& figures, const char* name, double large, double small) {
    figures.push_back(Figure{name, large, "ms", small * (kLarge / kSmall), kLinearBudget});
}

} // namespace

TARVIX_BENCH(rename_series_dialog) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TarvixBenchOwner";
    ::RegisterClassA(&windowClass);
    const HWND owner = ::CreateWindowA("TarvixBenchOwner", "owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                       nullptr, windowClass.hInstance, nullptr);
    Measure(owner, kSmall); // warm-up: fonts, classes, resources
    const SessionTimes small = Measure(owner, kSmall);
    const SessionTimes large = Measure(owner, kLarge);
    ::DestroyWindow(owner);
    AddLinearFigure(figures, "rename_open_10000_vs_100x100", large.open, small.open);
    AddLinearFigure(figures, "rename_template_change_10000_vs_100x100", large.change, small.change);
    AddLinearFigure(figures, "rename_ok_check_10000_vs_100x100", large.okCheck, small.okCheck);
}

} // namespace tarvix::bench
