// The clipboard as ANSI text (CF_TEXT), opened with the owner window.
#pragma once
#include <string>

namespace tarvix {

// Replaces the clipboard's content with `text` (CF_TEXT, with its NUL). Throws UserError
// "Cannot open clipboard" when the clipboard cannot be opened; then nothing is placed on it.
// A clipboard that refuses the text fails with "Unexpected error occurred.".
void SetClipboardText(const std::string& text);
bool ClipboardHasText();
// The clipboard's text up to its first NUL; empty when there is none.
std::string ReadClipboardText();

} // namespace tarvix
