#include "MessageBox.h"

#include "Module.h"

namespace tarvix {
namespace {

UINT IconFlag(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return MB_ICONERROR;
    case MessageIcon::Information:
        return MB_ICONINFORMATION;
    case MessageIcon::Question:
        break;
    }
    return MB_ICONQUESTION;
}

} // namespace

int ShowMessageBox(const std::wstring& caption, const std::wstring& text, MessageIcon icon,
                   MessageButtons buttons) {
    const UINT buttonFlag = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    const int answer =
        ::MessageBoxW(OwnerWindow(), text.c_str(), caption.c_str(), buttonFlag | IconFlag(icon));
    if (buttons == MessageButtons::YesNo) {
        // Wine answers Esc on a Yes/No box with IDCANCEL; Windows with IDNO.
        return answer == IDYES ? IDYES : IDNO;
    }
    return IDOK;
}

} // namespace tarvix
