#include "ItemIntake.h"

#include "platform/ComHandles.h"

#include <shlwapi.h>

#include <new>

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

// The run that starts at `first`, its folder bound; a run of one item without a folder for
// an item without an ID list, or whose folder cannot be bound.
SiblingRun RunFrom(const std::vector<ArrayItem>& items, std::size_t first) {
    SiblingRun run;
    run.end = first + 1;
    const PIDLIST_ABSOLUTE firstList = items[first].idList.Get();
    if (firstList == nullptr) {
        return run;
    }
    TaskIdList parent(::ILClone(firstList));
    if (!parent) {
        throw std::bad_alloc();
    }
    ::ILRemoveLastID(parent.Get());
    while (run.end < items.size() && items[run.end].idList &&
           ::ILIsParent(parent.Get(), items[run.end].idList.Get(), TRUE)) {
        ++run.end;
    }
    PCUITEMID_CHILD child = nullptr;
    if (FAILED(::SHBindToParent(firstList, IID_IShellFolder, ReceiveAs(run.folder), &child))) {
        run.end = first + 1;
        return run;
    }
    for (std::size_t index = first; index < run.end; ++index) {
        run.children.push_back(::ILFindLastID(items[index].idList.Get()));
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
bool IsFileSystemPath(const std::wstring& name) {
    return (name.size() >= 3 && name[1] == L':' && name[2] == L'\\') || name.rfind(L"\\\\", 0) == 0;
}

std::wstring TakeText(TaskText& text) {
    return text ? std::wstring(text.Get()) : std::wstring();
}

std::wstring ItemName(IShellItem* item, SIGDN form) {
    TaskText name;
    if (FAILED(item->GetDisplayName(form, name.Receive()))) {
        return std::wstring();
    }
    return TakeText(name);
}

// The path the folder gives its child: what SIGDN_FILESYSPATH is for an item the folder says
// is of the file system.
std::wstring PathFromFolder(IShellFolder* folder, PCUITEMID_CHILD child) {
    STRRET name{};
    if (FAILED(folder->GetDisplayNameOf(child, SHGDN_FORPARSING, &name))) {
        return std::wstring();
    }
    TaskText text;
    if (FAILED(::StrRetToStrW(&name, child, text.Receive()))) {
        return std::wstring();
    }
    std::wstring path = TakeText(text);
    return IsFileSystemPath(path) ? path : std::wstring();
}

// How the user knows an item that has no path (This PC, a phone): as the address bar shows it.
std::wstring NameWithoutPath(IShellItem* item) {
    std::wstring name = ItemName(item, SIGDN_DESKTOPABSOLUTEEDITING);
    return name.empty() ? ItemName(item, SIGDN_NORMALDISPLAY) : name;
}

} // namespace

HRESULT ReadItemSelection(IShellItemArray* items, ItemSelection& taken) {
    return WalkItems(
        items, [&](IShellItem* item, ItemKind kind, IShellFolder* folder, PCUITEMID_CHILD child) {
            std::wstring path;
            if (kind == ItemKind::FileSystem) {
                path = PathFromFolder(folder, child);
            }
            if (path.empty() && kind != ItemKind::NotFileSystem) {
                path = ItemName(item, SIGDN_FILESYSPATH);
            }
            if (path.empty()) {
                taken.withoutPath.push_back(NameWithoutPath(item));
            } else {
                taken.paths.Buffer() += path;
                taken.paths.EndName();
            }
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
