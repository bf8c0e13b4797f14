#include "SaveDialog.h"

#include "platform/Module.h"
#include "platform/Win.h"

#include <commdlg.h>

#include <vector>

namespace tarvix {
namespace {

bool MayClose(const OPENFILENAMEA& dialog) {
    const auto* request = reinterpret_cast<const SaveDialogRequest*>(dialog.lCustData);
    // The dialog makes the folder it shows the current folder while it is open.
    char shown[MAX_PATH * 4] = {};
    const DWORD length = ::GetCurrentDirectoryA(sizeof(shown), shown);
    if (length == 0 || length >= sizeof(shown)) {
        return false;
    }
    try {
        return request->canClose(dialog.lpstrFile, std::string(shown, length));
    } catch (...) {
        return false; // nothing may cross back into the system's dialog
    }
}

UINT_PTR CALLBACK SaveDialogHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY) {
        return 0;
    }
    const auto* notice = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (notice->hdr.code != CDN_FILEOK) {
        return 0;
    }
    // The held path is read from lpstrFile: CDM_GETFILEPATH is wrong on Wine for a typed
    // absolute path and for names completed with a default extension.
    if (MayClose(*notice->lpOFN)) {
        return 0;
    }
    ::SetWindowLongPtrA(hook, DWLP_MSGRESULT, 1);
    return 1;
}

} // namespace

std::optional<std::string> RunSaveDialog(const SaveDialogRequest& request) {
    std::vector<char> file(32 * 1024, '\0');
    request.initialName.copy(file.data(), file.size() - 1);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = OwnerWindow();
    dialog.hInstance = ModuleHandle();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = request.initialFolder.c_str();
    dialog.lpstrTitle = request.title.c_str();
    // No validation by the dialog: a typed "*.bak" must reach the close validation instead of
    // being taken for a list filter.
    dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   OFN_NOVALIDATE | OFN_SHAREAWARE | OFN_NOTESTFILECREATE | OFN_NODEREFERENCELINKS |
                   OFN_ENABLESIZING;
    dialog.lpfnHook = SaveDialogHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(&request);
    if (!::GetSaveFileNameA(&dialog)) {
        return std::nullopt;
    }
    return std::string(file.data());
}

} // namespace tarvix
