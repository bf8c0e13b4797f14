#include "Messages.h"

#include "RSUnit.h"
#include "platform/Text.h"

namespace tarvix {

int ShowMessage(MessageKind kind, MessageButtons buttons, const std::wstring& text) {
    switch (kind) {
    case MessageKind::Error:
        return ShowMessageBox(LoadText(IDS_CAPTION_ERROR), text, MessageIcon::Error, buttons);
    case MessageKind::Information:
        return ShowMessageBox(LoadText(IDS_CAPTION_INFORMATION), text, MessageIcon::Information,
                              buttons);
    case MessageKind::Confirmation:
        break;
    }
    return ShowMessageBox(LoadText(IDS_CAPTION_CONFIRM), text, MessageIcon::Question, buttons);
}

void ShowError(unsigned textId) {
    ShowMessage(MessageKind::Error, MessageButtons::Ok, LoadText(textId));
}

void ShowInformation(unsigned textId) {
    ShowMessage(MessageKind::Information, MessageButtons::Ok, LoadText(textId));
}

} // namespace tarvix
