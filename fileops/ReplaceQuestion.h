// The confirmation box with four answers (Yes, No, Cancel, Yes to All), which the system's
// message box does not offer: a dialog of the product's own, owned by the owner window, with
// Yes as its default button and Esc answering Cancel.
#pragma once
#include <string>

namespace tarvix {

constexpr int kAnswerYesToAll = 10;

// IDYES, IDNO, IDCANCEL or kAnswerYesToAll. Cancel also when the box cannot be shown.
int AskYesNoCancelAll(const std::wstring& text);

} // namespace tarvix
