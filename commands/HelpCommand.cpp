#include "Commands.h"
#include "common/ClassIdentity.h"
#include "common/PathTerms.h"
#include "platform/Module.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "strings/Messages.h"
#include "strings/RSUnit.h"

namespace tarvix {
namespace {

const wchar_t kHelpFile[] = L"help\\help.htm";
const wchar_t kHelpWebAddress[] = L"https://www.tarvix.org/tarvix/help.php";

INT_PTR OpenPage(const std::wstring& fileOrAddress) {
    // The command's owner window owns any question the system asks about the page, never a
    // window of another program that a fixed handle value might name.
    return OpenWithSystem(OwnerWindow(), L"Open", fileOrAddress, SW_SHOWNORMAL);
}

} // namespace

void OpenHelp() {
    std::wstring serverFile;
    if (!ReadDefaultValue(HKEY_CLASSES_ROOT, InprocServerKey(), serverFile)) {
        return;
    }
    if (OpenPage(FolderPart(serverFile) + kHelpFile) != SE_ERR_FNF) {
        return;
    }
    if (ShowMessage(MessageKind::Information, MessageButtons::YesNo,
                    LoadText(IDS_HELP_NOT_FOUND)) == IDYES) {
        OpenPage(kHelpWebAddress);
    }
}

} // namespace tarvix
