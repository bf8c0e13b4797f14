#include "MessagePump.h"

#include <algorithm>

namespace tarvix {
namespace {

// A range of messages that nothing posts: looking at it takes nothing off the queue, yet the
// system counts the thread as one that looks.
constexpr UINT kNoMessage = WM_APP + 0x3F17;

#ifdef TARVIX_TEST_SEAMS
ULONGLONG g_lastLook = 0;
ULONGLONG g_longestGap = 0;
#endif

} // namespace

bool PumpWindowMessages(HWND window) {
#ifdef TARVIX_TEST_SEAMS
    const ULONGLONG now = ::GetTickCount64();
    g_longestGap = std::max(g_longestGap, now - g_lastLook);
    g_lastLook = now;
#endif
    MSG message;
    bool quit = false;
    WPARAM quitCode = 0;
    while (window != nullptr && ::PeekMessageW(&message, window, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            quitCode = message.wParam;
            continue;
        }
        if (!::IsDialogMessageW(window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    ::PeekMessageW(&message, nullptr, kNoMessage, kNoMessage, PM_NOREMOVE);
    if (quit) {
        ::PostQuitMessage(static_cast<int>(quitCode));
    }
    return quit;
}

#ifdef TARVIX_TEST_SEAMS
void ResetLongestQueueGap() {
    g_lastLook = ::GetTickCount64();
    g_longestGap = 0;
}

unsigned long long LongestQueueGapMs() {
    return std::max(g_longestGap, ::GetTickCount64() - g_lastLook);
}
#endif

} // namespace tarvix
