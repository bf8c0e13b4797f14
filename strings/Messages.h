// The product's message boxes: the kind of a message sets its caption and icon.
#pragma once
#include "platform/MessageBox.h"

#include <string>

namespace tarvix {

enum class MessageKind { Error, Information, Confirmation };

// IDOK, IDYES or IDNO.
int ShowMessage(MessageKind kind, MessageButtons buttons, const std::wstring& text);
// An error or information box with one OK button, its text from the string table.
void ShowError(unsigned textId);
void ShowInformation(unsigned textId);

} // namespace tarvix
