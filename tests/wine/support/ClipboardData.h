// The clipboard as another program sees it: the text formats read and put as raw blocks.
#pragma once
#include "platform/Win.h"

#include <cstring>
#include <string>

namespace tarvix::test {

// The characters of a text format before its terminating NUL; "<no NUL>" when the block holds
// none, "<no text>" when the format is absent.
template <typename Char> std::basic_string<Char> ClipboardTextOf(UINT format) {
    using Text = std::basic_string<Char>;
    auto marker = [](const char* ascii) { return Text(ascii, ascii + std::strlen(ascii)); };
    if (!::OpenClipboard(nullptr)) {
        return marker("<not opened>");
    }
    Text text = marker("<no text>");
    if (HANDLE data = ::GetClipboardData(format)) {
        const Char* units = static_cast<const Char*>(::GlobalLock(data));
        const SIZE_T size = ::GlobalSize(data) / sizeof(Char);
        SIZE_T length = 0;
        while (length < size && units[length] != 0) {
            ++length;
        }
        text = length < size ? Text(units, length) : marker("<no NUL>");
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

inline std::string ClipboardBytes() {
    return ClipboardTextOf<char>(CF_TEXT);
}
inline std::wstring ClipboardWide() {
    return ClipboardTextOf<wchar_t>(CF_UNICODETEXT);
}

// Replaces the clipboard's content by `text` in one format only, as a program that offers just
// that format would.
template <typename Char> bool PutClipboardTextAs(UINT format, const std::basic_string<Char>& text) {
    if (!::OpenClipboard(nullptr)) {
        return false;
    }
    ::EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(Char);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool put = false;
    if (block != nullptr) {
        std::memcpy(::GlobalLock(block), text.c_str(), bytes);
        ::GlobalUnlock(block);
        put = ::SetClipboardData(format, block) != nullptr;
        if (!put) {
            ::GlobalFree(block);
        }
    }
    ::CloseClipboard();
    return put;
}

inline bool PutOnClipboard(const std::string& ansi) {
    return PutClipboardTextAs(CF_TEXT, ansi);
}
inline bool PutOnClipboard(const std::wstring& wide) {
    return PutClipboardTextAs(CF_UNICODETEXT, wide);
}

inline void EmptyTheClipboard() {
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

} // namespace tarvix::test
