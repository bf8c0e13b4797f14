#include "MessageBox.h"

#include "Module.h"
#include "Text.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

unsigned CaptionId(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return IDS_CAPTION_ERROR;
    case MessageKind::Information:
        return IDS_CAPTION_INFORMATION;
    case MessageKind::Confirmation:
        break;
    }
    return IDS_CAPTION_CONFIRM;
}

UINT IconFlag(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return MB_ICONERROR;
    case MessageKind::Information:
        return MB_ICONINFORMATION;
    case MessageKind::Confirmation:
        break;
    }
    return MB_ICONQUESTION;
}

} // namespace

int ShowMessage(MessageKind kind, MessageButtons buttons, const std::string& text) {
    const std::string caption = LoadText(CaptionId(kind));
    const UINT buttonFlag = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    const int answer =
        ::MessageBoxA(OwnerWindow(), text.c_str(), caption.c_str(), buttonFlag | IconFlag(kind));
    if (buttons == MessageButtons::YesNo) {
        // Wine answers Esc on a Yes/No box with IDCANCEL; Windows with IDNO.
        return answer == IDYES ? IDYES : IDNO;
    }
    return IDOK;
}

} // namespace tarvix
