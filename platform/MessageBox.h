// The system's message box, owned by the owner window.
#pragma once
#include <string>

namespace tarvix {

enum class MessageIcon { Error, Information, Question };
enum class MessageButtons { Ok, YesNo };

// IDOK, IDYES or IDNO.
int ShowMessageBox(const std::wstring& caption, const std::wstring& text, MessageIcon icon,
                   MessageButtons buttons);

} // namespace tarvix
