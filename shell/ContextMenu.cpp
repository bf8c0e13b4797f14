#include "ContextMenu.h"

#include "CommandTable.h"
#include "MenuFlags.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"

#include <cstring>

namespace tarvix {
namespace {

void InsertText(HMENU menu, UINT position, UINT_PTR identifier, unsigned textId) {
    const std::wstring text = LoadText(textId);
    ::InsertMenuW(menu, position, MF_BYPOSITION | MF_STRING, identifier, text.c_str());
}

void InsertSeparator(HMENU menu, UINT position, UINT identifier) {
    ::InsertMenuW(menu, position, MF_BYPOSITION | MF_SEPARATOR, identifier, L"");
}

} // namespace

HRESULT AddMenuBlock(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT flags) {
    if (!ShouldAddMenuBlock(flags)) {
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
    }
    // Each insertion at indexMenu lands above the one before, so the block is built upwards
    // and the shell menu's own entries go in last row first.
    InsertSeparator(menu, indexMenu, idCmdFirst);
    for (auto row = Commands().rbegin(); row != Commands().rend(); ++row) {
        if (row->place == MenuPlace::ShellMenu) {
            InsertText(menu, indexMenu, idCmdFirst + IndexOf(row->id), row->menuTextId);
        }
    }
    HMENU submenu = ::CreatePopupMenu();
    const std::wstring caption = LoadText(IDS_SUBMENU_CAPTION);
    ::InsertMenuW(menu, indexMenu, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
                  caption.c_str());
    UINT position = 0;
    for (const CommandRow& row : Commands()) {
        if (row.place == MenuPlace::Submenu) {
            InsertText(submenu, position++, idCmdFirst + IndexOf(row.id), row.menuTextId);
        }
    }
    InsertSeparator(menu, indexMenu, idCmdFirst);
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, kCommandCount);
}

namespace {

// A text that does not fit is shortened, its terminating zero kept.
template <class Char>
void CopyShortened(const std::basic_string<Char>& text, Char* buffer, UINT cchMax) {
    const std::size_t length = text.size() < cchMax ? text.size() : cchMax - 1;
    std::memcpy(buffer, text.data(), length * sizeof(Char));
    buffer[length] = 0;
}

} // namespace

HRESULT CopyHelpText(UINT_PTR index, UINT type, CHAR* buffer, UINT cchMax) {
    // Explorer asks for the wide text first; the ANSI one is the code page's spelling of it.
    if (type != GCS_HELPTEXTA && type != GCS_HELPTEXTW) {
        return S_OK;
    }
    const CommandRow* row = CommandAt(index);
    if (row == nullptr) {
        return E_INVALIDARG;
    }
    if (buffer == nullptr) {
        return E_POINTER;
    }
    if (cchMax == 0) {
        return E_INVALIDARG;
    }
    const std::wstring text = LoadText(row->helpTextId);
    if (type == GCS_HELPTEXTW) {
        CopyShortened(text, reinterpret_cast<WCHAR*>(buffer), cchMax);
    } else {
        CopyShortened(WideToAnsi(text), buffer, cchMax);
    }
    return S_OK;
}

} // namespace tarvix
