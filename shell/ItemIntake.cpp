#include "ItemIntake.h"

#include "platform/ComHandles.h"

#include <shlwapi.h>

#include <cstring>
#include <string_view>

namespace tarvix {
namespace {

// An item of the array and its ID list; an array of items another program made may hold
// items that have none.
struct ArrayItem {
    ComRef<IShellItem> item;
    TaskIdList idList;
};

HRESULT TakeItems(IShellItemArray* items, std::vector<ArrayItem>& taken) {
    DWORD count = 0;
    HRESULT result = items->GetCount(&count);
    if (FAILED(result)) {
        return result;
    }
    taken.resize(count);
    for (DWORD index = 0; index < count; ++index) {
        result = items->GetItemAt(index, taken[index].item.Receive());
        if (FAILED(result)) {
            return result;
        }
        ::SHGetIDListFromObject(taken[index].item.Get(), taken[index].idList.Receive());
    }
    return S_OK;
}

enum class ItemKind { FileSystem, NotFileSystem, Unknown };

// The items of one parent folder that stand one after another in the array. The folder is
// bound once for all of them: binding it costs the shell a lookup of the folder, and under
// Wine a read of the whole folder, each time.
struct SiblingRun {
    std::size_t end = 0;
    ComRef<IShellFolder> folder;
    std::vector<PCUITEMID_CHILD> children;
};

// The bytes of an ID list before its last item ID: the item IDs, each led by its size, end
// with a size of zero.
std::size_t ParentSize(PCIDLIST_ABSOLUTE list) {
    const BYTE* start = reinterpret_cast<const BYTE*>(list);
    std::size_t last = 0;
    for (std::size_t at = 0;;) {
        USHORT size = 0;
        std::memcpy(&size, start + at, sizeof(size));
        if (size == 0) {
            return last;
        }
        last = at;
        at += size;
    }
}

// The run that starts at `first`, its folder bound; a run of one item without a folder for
// an item without an ID list, or whose folder cannot be bound.
SiblingRun RunFrom(const std::vector<ArrayItem>& items, std::size_t first) {
    SiblingRun run;
    run.end = first + 1;
    const PIDLIST_ABSOLUTE firstList = items[first].idList.Get();
    if (firstList == nullptr) {
        return run;
    }
    // Siblings have the same item IDs up to their last one, byte for byte. (ILIsParent
    // compares the IDs' display texts, a registry read each under Wine.)
    const std::size_t parentSize = ParentSize(firstList);
    while (run.end < items.size() && items[run.end].idList &&
           ParentSize(items[run.end].idList.Get()) == parentSize &&
           std::memcmp(items[run.end].idList.Get(), firstList, parentSize) == 0) {
        ++run.end;
    }
    PCUITEMID_CHILD child = nullptr;
    if (FAILED(::SHBindToParent(firstList, IID_IShellFolder, ReceiveAs(run.folder), &child))) {
        run.end = first + 1;
        return run;
    }
    run.children.reserve(run.end - first);
    for (std::size_t index = first; index < run.end; ++index) {
        run.children.push_back(reinterpret_cast<PCUITEMID_CHILD>(
            reinterpret_cast<const BYTE*>(items[index].idList.Get()) + parentSize));
    }
    return run;
}

ItemKind KindOf(IShellFolder* folder, PCUITEMID_CHILD_ARRAY children, UINT count) {
    SFGAOF attributes = SFGAO_FILESYSTEM;
    if (FAILED(folder->GetAttributesOf(count, children, &attributes))) {
        return ItemKind::Unknown;
    }
    return (attributes & SFGAO_FILESYSTEM) != 0 ? ItemKind::FileSystem : ItemKind::NotFileSystem;
}

// Calls visit(item, kind, folder, child) for every item in array order, the kind as the
// item's parent folder tells it (Unknown, without a folder, where there is none). A visit
// that answers false ends the walk.
template <class Visit> HRESULT WalkItems(IShellItemArray* items, Visit&& visit) {
    std::vector<ArrayItem> taken;
    const HRESULT result = TakeItems(items, taken);
    if (FAILED(result)) {
        return result;
    }
    for (std::size_t first = 0; first < taken.size();) {
        SiblingRun run = RunFrom(taken, first);
        const auto count = static_cast<UINT>(run.children.size());
        // One question for the whole run; one per item only when the answer is mixed.
        const ItemKind runKind =
            run.folder ? KindOf(run.folder.Get(), run.children.data(), count) : ItemKind::Unknown;
        for (std::size_t index = first; index < run.end; ++index) {
            IShellFolder* folder = run.folder.Get();
            PCUITEMID_CHILD child = folder ? run.children[index - first] : nullptr;
            ItemKind kind = runKind;
            if (folder && kind != ItemKind::FileSystem && count > 1) {
                kind = KindOf(folder, &child, 1);
            }
            if (!visit(taken[index].item.Get(), kind, folder, child)) {
                return S_OK;
            }
        }
        first = run.end;
    }
    return S_OK;
}

// A parsing name that is a path: a drive's or a network share's.
bool IsFileSystemPath(std::wstring_view name) {
    return (name.size() >= 3 && name[1] == L':' && name[2] == L'\\') ||
           name.substr(0, 2) == L"\\\\";
}

std::wstring ItemName(IShellItem* item, SIGDN form) {
    TaskText name;
    if (FAILED(item->GetDisplayName(form, name.Receive())) || !name) {
        return std::wstring();
    }
    return name.Get();
}

// Appends the item's SIGDN_FILESYSPATH to `out`; false, with nothing appended, when it has none.
bool AppendItemPath(IShellItem* item, std::wstring& out) {
    TaskText path;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, path.Receive())) || !path) {
        return false;
    }
    out += path.Get();
    return true;
}

// Appends the path the folder gives its child, what SIGDN_FILESYSPATH is for an item the
// folder says is of the file system; false, with nothing appended, when it gives none.
bool AppendPathFromFolder(IShellFolder* folder, PCUITEMID_CHILD child, std::wstring& out) {
    STRRET name{};
    if (FAILED(folder->GetDisplayNameOf(child, SHGDN_FORPARSING, &name))) {
        return false;
    }
    TaskText text;
    if (name.uType == STRRET_WSTR) {
        text.Reset(name.pOleStr); // taken as it is: another copy would cost as much as the call
    } else if (FAILED(::StrRetToStrW(&name, child, text.Receive())) || !text) {
        return false;
    }
    const std::wstring_view path(text.Get());
    if (!IsFileSystemPath(path)) {
        return false;
    }
    out += path;
    return true;
}

// How the user knows an item that has no path (This PC, a phone): as the address bar shows it.
std::wstring NameWithoutPath(IShellItem* item) {
    std::wstring name = ItemName(item, SIGDN_DESKTOPABSOLUTEEDITING);
    return name.empty() ? ItemName(item, SIGDN_NORMALDISPLAY) : name;
}

} // namespace

HRESULT ReadItemSelection(IShellItemArray* items, ItemSelection& taken) {
    std::wstring& paths = taken.paths.Buffer();
    DWORD count = 0;
    items->GetCount(&count);
    return WalkItems(
        items, [&](IShellItem* item, ItemKind kind, IShellFolder* folder, PCUITEMID_CHILD child) {
            const bool found =
                (kind == ItemKind::FileSystem && AppendPathFromFolder(folder, child, paths)) ||
                (kind != ItemKind::NotFileSystem && AppendItemPath(item, paths));
            if (!found) {
                taken.withoutPath.push_back(NameWithoutPath(item));
                return true;
            }
            if (taken.paths.empty()) {
                // Room for every path at about the first one's length, rather than growing the
                // buffer step by step through a large selection.
                paths.reserve(count * (paths.size() + paths.size() / 4 + 1));
            }
            taken.paths.EndName();
            return true;
        });
}

HRESULT CountItemKinds(IShellItemArray* items, bool okToBeSlow, ItemCounts& counts) {
    return WalkItems(items, [&](IShellItem* item, ItemKind kind, IShellFolder*, PCUITEMID_CHILD) {
        if (kind == ItemKind::Unknown && okToBeSlow) {
            SFGAOF attributes = 0;
            if (SUCCEEDED(item->GetAttributes(SFGAO_FILESYSTEM, &attributes))) {
                kind = (attributes & SFGAO_FILESYSTEM) != 0 ? ItemKind::FileSystem
                                                            : ItemKind::NotFileSystem;
            }
        }
        switch (kind) {
        case ItemKind::FileSystem:
            ++counts.fileSystem;
            return true;
        case ItemKind::NotFileSystem:
            ++counts.notFileSystem;
            return false;
        case ItemKind::Unknown:
            break;
        }
        ++counts.unknown;
        return true;
    });
}

} // namespace tarvix
