// The product's message box: caption and icon by kind, owned by the owner window.
#pragma once
#include <string>

namespace tarvix {

enum class MessageKind { Error, Information, Confirmation };
enum class MessageButtons { Ok, YesNo };

// IDOK, IDYES or IDNO.
int ShowMessage(MessageKind kind, MessageButtons buttons, const std::string& text);

} // namespace tarvix
