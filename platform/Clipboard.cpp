#include "Clipboard.h"

#include "Faults.h"
#include "Handles.h"
#include "Module.h"
#include "Text.h"
#include "common/Retry.h"

#include <cstring>

namespace tarvix {
namespace {

#ifdef TARVIX_TEST_SEAMS
RetryPause g_pause;
#endif

void Pause(unsigned long milliseconds) {
#ifdef TARVIX_TEST_SEAMS
    if (g_pause) {
        g_pause(milliseconds);
        return;
    }
#endif
    ::Sleep(milliseconds);
}

// Another program (a clipboard viewer, a manager of the clipboard's history) may hold the
// clipboard open for a moment; it is waited for briefly, as other programs do.
bool OpenBriefly(HWND owner) {
    return RetryBriefly(
               [&](unsigned long& error) {
                   if (::OpenClipboard(owner)) {
                       return true;
                   }
                   error = ::GetLastError();
                   return false;
               },
               Pause)
        .succeeded;
}

// Opened for the owner window. Opened for no window, EmptyClipboard leaves the clipboard
// without an owner and SetClipboardData then fails, so without an owner a hidden window of the
// extension's own stands in.
class OpenedClipboard {
  public:
    OpenedClipboard() {
        HWND owner = OwnerWindow();
        if (owner == nullptr) {
            standIn_.Reset(::CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           ModuleHandle(), nullptr));
            owner = standIn_.Get();
        }
        open_ = !FaultNow(FaultCall::ClipboardOpen) && OpenBriefly(owner);
    }
    ~OpenedClipboard() {
        if (open_) {
            ::CloseClipboard();
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return open_; }

  private:
    WindowHandle standIn_; // destroyed after the clipboard is closed
    bool open_ = false;
};

// A movable block holding `bytes`, for the clipboard to take.
GlobalMemory BlockOf(const void* bytes, std::size_t size) {
    GlobalMemory block(FaultNow(FaultCall::Allocation)
                           ? nullptr
                           : ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size));
    if (!block) {
        throw std::bad_alloc();
    }
    GlobalLockGuard lock(block.Get());
    if (lock.Data() == nullptr) {
        throw std::bad_alloc();
    }
    std::memcpy(lock.Data(), bytes, size);
    return block;
}

bool Place(UINT format, GlobalMemory block) {
    if (::SetClipboardData(format, block.Get()) == nullptr) {
        return false;
    }
    block.Release(); // the clipboard owns it now
    return true;
}

template <class Char> std::basic_string<Char> TextOf(UINT format) {
    HANDLE data = ::GetClipboardData(format);
    if (data == nullptr) {
        return {};
    }
    GlobalLockGuard lock(data);
    if (lock.Data() == nullptr) {
        return {};
    }
    const std::size_t units = ::GlobalSize(data) / sizeof(Char);
    const auto* text = static_cast<const Char*>(lock.Data());
    std::size_t length = 0;
    while (length < units && text[length] != 0) {
        ++length;
    }
    return std::basic_string<Char>(text, length);
}

} // namespace

#ifdef TARVIX_TEST_SEAMS
void OverrideClipboardPause(std::function<void(unsigned long)> pause) {
    g_pause = std::move(pause);
}
#endif

ClipboardWrite SetClipboardText(const std::wstring& text) {
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen()) {
        return ClipboardWrite::NotOpened;
    }
    const std::string ansi = WideToAnsi(text);
    GlobalMemory wide = BlockOf(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalMemory narrow = BlockOf(ansi.c_str(), ansi.size() + 1);
    ::EmptyClipboard();
    const bool placed = Place(CF_UNICODETEXT, std::move(wide)) && Place(CF_TEXT, std::move(narrow));
    return placed ? ClipboardWrite::Done : ClipboardWrite::Refused;
}

bool ClipboardHasText() {
    return ::IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE ||
           ::IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

std::optional<std::wstring> ReadClipboardText() {
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen()) {
        return std::nullopt;
    }
    if (::IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        return TextOf<wchar_t>(CF_UNICODETEXT);
    }
    return AnsiToWide(TextOf<char>(CF_TEXT));
}

} // namespace tarvix
