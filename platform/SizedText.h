// Texts from the calls that are first asked how many units they need and then fill a buffer of
// that size: paths and folders of any length without a guessed buffer.
#pragma once
#include "Win.h"

#include <string>

namespace tarvix {

// `fill(buffer, size)` answers the length written, or the size needed (with its terminating
// zero) when the buffer is too small; 0 on failure. Empty when the call fails or the text grew
// between the two calls.
template <class Fill> std::wstring SizedText(Fill fill) {
    const DWORD needed = static_cast<DWORD>(fill(nullptr, 0));
    if (needed == 0) {
        return std::wstring();
    }
    std::wstring text(needed, L'\0');
    const DWORD length = static_cast<DWORD>(fill(text.data(), needed));
    if (length == 0 || length >= needed) {
        return std::wstring();
    }
    text.resize(length);
    return text;
}

} // namespace tarvix
