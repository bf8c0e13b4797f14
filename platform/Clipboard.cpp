#include "Clipboard.h"

#include "Faults.h"
#include "Handles.h"
#include "Module.h"

#include <cstring>

namespace tarvix {
namespace {

// Opened for the owner window. Opened for no window, EmptyClipboard leaves the clipboard
// without an owner and SetClipboardData then fails, so without an owner a hidden window of the
// extension's own stands in.
class OpenedClipboard {
  public:
    OpenedClipboard() {
        HWND owner = OwnerWindow();
        if (owner == nullptr) {
            standIn_.Reset(::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           ModuleHandle(), nullptr));
            owner = standIn_.Get();
        }
        open_ = !FaultNow(FaultCall::ClipboardOpen) && ::OpenClipboard(owner) != FALSE;
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

} // namespace

ClipboardWrite SetClipboardText(const std::string& text) {
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen()) {
        return ClipboardWrite::NotOpened;
    }
    GlobalMemory block(FaultNow(FaultCall::Allocation)
                           ? nullptr
                           : ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1));
    if (!block) {
        throw std::bad_alloc();
    }
    {
        GlobalLockGuard lock(block.Get());
        if (lock.Data() == nullptr) {
            throw std::bad_alloc();
        }
        std::memcpy(lock.Data(), text.c_str(), text.size() + 1);
    }
    ::EmptyClipboard();
    if (::SetClipboardData(CF_TEXT, block.Get()) == nullptr) {
        return ClipboardWrite::Refused;
    }
    block.Release(); // the clipboard owns it now
    return ClipboardWrite::Done;
}

bool ClipboardHasText() {
    return ::IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

std::optional<std::string> ReadClipboardText() {
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen()) {
        return std::nullopt;
    }
    HANDLE data = ::GetClipboardData(CF_TEXT);
    if (data == nullptr) {
        return std::string();
    }
    GlobalLockGuard lock(data);
    if (lock.Data() == nullptr) {
        return std::string();
    }
    const SIZE_T size = ::GlobalSize(data);
    const char* text = static_cast<const char*>(lock.Data());
    return std::string(text, strnlen(text, size));
}

} // namespace tarvix
