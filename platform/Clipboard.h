// The clipboard as text, opened with the owner window; a clipboard that another program holds
// is waited for briefly. Failures are reported; the callers choose what the user reads.
#pragma once
#include <functional>
#include <optional>
#include <string>

namespace tarvix {

enum class ClipboardWrite { Done, NotOpened, Refused };

// Replaces the clipboard's content with `text`: as CF_UNICODETEXT, and as CF_TEXT in the ANSI
// code page for programs that read only that. NotOpened: nothing was placed on it. Throws
// std::bad_alloc when the text's memory cannot be had.
ClipboardWrite SetClipboardText(const std::wstring& text);
bool ClipboardHasText();
// The clipboard's text up to its first NUL (CF_UNICODETEXT where it is offered, else CF_TEXT);
// empty when there is none; nothing when the clipboard cannot be opened.
std::optional<std::wstring> ReadClipboardText();

#ifdef TARVIX_TEST_SEAMS
// Test seam: called in place of each pause between two attempts to open a clipboard that
// another program holds; nothing for the real pause again.
void OverrideClipboardPause(std::function<void(unsigned long milliseconds)> pause);
#endif

} // namespace tarvix
