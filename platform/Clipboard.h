// The clipboard as ANSI text (CF_TEXT), opened with the owner window. Failures are reported;
// the callers choose what the user reads.
#pragma once
#include <optional>
#include <string>

namespace tarvix {

enum class ClipboardWrite { Done, NotOpened, Refused };

// Replaces the clipboard's content with `text` (CF_TEXT, with its NUL). NotOpened: nothing
// was placed on it. Throws std::bad_alloc when the text's memory cannot be had.
ClipboardWrite SetClipboardText(const std::string& text);
bool ClipboardHasText();
// The clipboard's text up to its first NUL (empty when there is none); nothing when the
// clipboard cannot be opened.
std::optional<std::string> ReadClipboardText();

} // namespace tarvix
