#include "SelectionIntake.h"

#include "platform/ComHandles.h"
#include "platform/Handles.h"
#include "platform/Text.h"

#include <shlwapi.h>

#include <cwchar>
#include <vector>

namespace tarvix {
namespace {

// Asks the data object for `format` in global memory: S_OK with `medium` filled, or the data
// object's answer (another success code leaves the medium to be released unread).
HRESULT GetGlobalData(IDataObject* data, CLIPFORMAT format, StgMediumGuard& medium) {
    FORMATETC request = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    const HRESULT result = data->GetData(&request, medium.Receive());
    if (FAILED(result)) {
        return result;
    }
    medium.MarkFilled();
    if (result == S_OK && medium.Get().tymed != TYMED_HGLOBAL) {
        return DV_E_TYMED;
    }
    return result;
}

HRESULT ReadDropList(IDataObject* data, Selection& selection) {
    StgMediumGuard medium;
    const HRESULT result = GetGlobalData(data, CF_HDROP, medium);
    if (result != S_OK) {
        return result;
    }
    std::optional<PackedNames> names = DropListNames(medium.Get().hGlobal);
    if (!names) {
        return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    }
    selection.Replace(std::move(*names));
    return S_OK;
}

// The parent folder of a shell ID list array, bound once for all its objects.
ComRef<IShellFolder> BindToParent(PCIDLIST_ABSOLUTE parent) {
    ComRef<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(desktop.Receive()))) {
        return {};
    }
    if (parent->mkid.cb == 0) {
        return desktop;
    }
    ComRef<IShellFolder> folder;
    desktop.Get()->BindToObject(parent, nullptr, IID_IShellFolder,
                                reinterpret_cast<void**>(folder.Receive()));
    return folder;
}

// The file system path of an object below `parent` (an item several levels down, as search
// results give them), or nothing.
std::optional<std::wstring> PathBelow(PCIDLIST_ABSOLUTE parent, PCUIDLIST_RELATIVE object) {
    PIDLIST_ABSOLUTE absolute = ::ILCombine(parent, object);
    std::wstring path(32768, L'\0');
    const bool found = absolute != nullptr &&
                       ::SHGetPathFromIDListEx(absolute, path.data(),
                                               static_cast<DWORD>(path.size()), GPFIDL_DEFAULT);
    ::ILFree(absolute);
    if (!found) {
        return std::nullopt;
    }
    path.resize(std::wcslen(path.c_str()));
    return path;
}

// The file system path of each object of a shell ID list array in global memory; nothing for
// a malformed block or when an object has no such path (an item such as This PC). The parent
// folder is bound once and asked for all its children at once.
std::optional<PackedNames> IdListArrayNames(HGLOBAL array) {
    GlobalLockGuard lock(array);
    if (lock.Data() == nullptr) {
        return std::nullopt;
    }
    const auto* block = static_cast<const unsigned char*>(lock.Data());
    const std::optional<IdListArray> lists = ParseIdListArray(block, ::GlobalSize(array));
    if (!lists) {
        return std::nullopt;
    }
    const auto parentId = reinterpret_cast<PCIDLIST_ABSOLUTE>(block + lists->parent);
    ComRef<IShellFolder> parent = BindToParent(parentId);
    if (!parent) {
        return std::nullopt;
    }
    std::vector<PCUITEMID_CHILD> children;
    for (std::size_t offset : lists->children) {
        const auto child = reinterpret_cast<PCUITEMID_CHILD>(block + offset);
        if (ILIsChild(child)) {
            children.push_back(child);
        }
    }
    SFGAOF attributes = SFGAO_FILESYSTEM;
    if (!children.empty() &&
        (FAILED(parent.Get()->GetAttributesOf(static_cast<UINT>(children.size()), children.data(),
                                              &attributes)) ||
         (attributes & SFGAO_FILESYSTEM) == 0)) {
        return std::nullopt;
    }
    PackedNames names;
    for (std::size_t offset : lists->children) {
        const auto child = reinterpret_cast<PCUITEMID_CHILD>(block + offset);
        std::optional<std::wstring> path;
        if (ILIsChild(child)) {
            STRRET name{};
            wchar_t* text = nullptr;
            if (SUCCEEDED(parent.Get()->GetDisplayNameOf(child, SHGDN_FORPARSING, &name)) &&
                SUCCEEDED(::StrRetToStrW(&name, child, &text))) {
                path = text;
                ::CoTaskMemFree(text);
            }
        } else {
            path = PathBelow(parentId, child);
        }
        if (!path) {
            return std::nullopt;
        }
        names.Buffer() += *path;
        names.EndName();
    }
    return names;
}

} // namespace

std::optional<PackedNames> DropListNames(HGLOBAL drop) {
    GlobalLockGuard lock(drop);
    if (lock.Data() == nullptr) {
        return std::nullopt;
    }
    // One pass over the block: asking DragQueryFile name by name walks the list from its start
    // each time, which grows with the square of the selection.
    return ParseDropList(static_cast<const unsigned char*>(lock.Data()), ::GlobalSize(drop),
                         [](const char* name, std::size_t length, std::wstring& out) {
                             out += AnsiToWide(std::string_view(name, length));
                         });
}

HRESULT ReadSelection(IDataObject* data, Selection& selection) {
    const HRESULT dropList = ReadDropList(data, selection);
    if (SUCCEEDED(dropList)) {
        return dropList;
    }
    // For a path of MAX_PATH or more the drop list needs 8.3 names, and where the volume has
    // none the shell gives no drop list at all: its ID list array names the same objects.
    static const auto idListArray =
        static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Shell IDList Array"));
    StgMediumGuard medium;
    if (idListArray != 0 && GetGlobalData(data, idListArray, medium) == S_OK) {
        if (std::optional<PackedNames> names = IdListArrayNames(medium.Get().hGlobal)) {
            selection.Replace(std::move(*names));
            return S_OK;
        }
    }
    return dropList;
}

} // namespace tarvix
