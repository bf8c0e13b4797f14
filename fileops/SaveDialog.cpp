#include "SaveDialog.h"

#include "platform/Module.h"
#include "platform/SizedText.h"
#include "platform/Win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace tarvix {
namespace {

// A CDM_ request's text, or nothing when the dialog has none.
std::optional<std::wstring> AskDialog(HWND dialog, UINT request) {
    const LRESULT needed = ::SendMessageW(dialog, request, 0, 0);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::wstring text(static_cast<std::size_t>(needed), L'\0');
    const LRESULT copied = ::SendMessageW(dialog, request, static_cast<WPARAM>(needed),
                                          reinterpret_cast<LPARAM>(text.data()));
    if (copied <= 0) {
        return std::nullopt;
    }
    text.resize(std::min<std::size_t>(static_cast<std::size_t>(copied) - 1, text.size()));
    return text.c_str();
}

// The folder the dialog shows: asked of the dialog, since the process's current folder is
// shared by every window thread and does not follow every view (libraries, search results).
// Where the dialog names none, the current folder it changes while it browses.
std::wstring ShownFolder(HWND dialog) {
    if (std::optional<std::wstring> folder = AskDialog(dialog, CDM_GETFOLDERPATH)) {
        return *folder;
    }
    return SizedText(
        [](wchar_t* buffer, DWORD size) { return ::GetCurrentDirectoryW(size, buffer); });
}

bool MayClose(HWND dialog, const OPENFILENAMEW& settings) {
    const auto* request = reinterpret_cast<const SaveDialogRequest*>(settings.lCustData);
    try {
        SaveDialogEntry entry;
        entry.heldPath = settings.lpstrFile;
        entry.shownFolder = ShownFolder(dialog);
        // The dialog reads quotes in the name box as delimiters: "a"b.txt" is returned as b.txt.
        entry.typedName = AskDialog(dialog, CDM_GETSPEC).value_or(std::wstring());
        return !entry.shownFolder.empty() && request->canClose(entry);
    } catch (...) {
        return false; // nothing may cross back into the system's dialog
    }
}

UINT_PTR CALLBACK SaveDialogHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY) {
        return 0;
    }
    const auto* notice = reinterpret_cast<const OFNOTIFYW*>(lParam);
    if (notice->hdr.code != CDN_FILEOK) {
        return 0;
    }
    // The held path is read from lpstrFile: CDM_GETFILEPATH is wrong on Wine for a typed
    // absolute path and for names completed with a default extension.
    if (MayClose(::GetParent(hook), *notice->lpOFN)) {
        return 0;
    }
    ::SetWindowLongPtrW(hook, DWLP_MSGRESULT, 1);
    return 1;
}

// The folder the dialog opens in: Wine's dialog fails on an initial folder of MAX_PATH
// characters or more, so a deeper one gives way to its nearest ancestor that fits.
std::wstring InitialFolderThatFits(std::wstring folder) {
    while (folder.size() >= MAX_PATH) {
        const std::wstring::size_type cut = folder.find_last_of(L'\\');
        if (cut == std::wstring::npos || cut < 3) {
            return std::wstring();
        }
        folder.erase(cut);
    }
    return folder;
}

} // namespace

std::optional<std::wstring> RunSaveDialog(const SaveDialogRequest& request) {
    // Room for the longest path the platform allows.
    std::vector<wchar_t> file(32 * 1024 + 1, L'\0');
    request.initialName.copy(file.data(), file.size() - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = OwnerWindow();
    dialog.hInstance = ModuleHandle();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    const std::wstring initialFolder = InitialFolderThatFits(request.initialFolder);
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrTitle = request.title.c_str();
    // No validation by the dialog: a typed "*.bak" must reach the close validation instead of
    // being taken for a list filter.
    dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   OFN_NOVALIDATE | OFN_SHAREAWARE | OFN_NOTESTFILECREATE | OFN_NODEREFERENCELINKS |
                   OFN_ENABLESIZING;
    dialog.lpfnHook = SaveDialogHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(&request);
    if (!::GetSaveFileNameW(&dialog)) {
        return std::nullopt;
    }
    return std::wstring(file.data());
}

} // namespace tarvix
