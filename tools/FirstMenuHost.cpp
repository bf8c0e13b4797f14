#include "tools/FirstMenuHost.h"

#include "platform/ComObject.h"
#include "tools/ShellItems.h"
#include "tools/Utf8.h"

#include <shlwapi.h>

#include <cstdio>
#include <set>

namespace tarvix::tools {

// What the host shows of a command; in a named namespace, since FirstMenuHost::State holds it.
namespace first_menu {
struct Entry {
    IExplorerCommand* command = nullptr; // one reference
    std::wstring title;
    std::wstring tip;
    std::wstring icon;
    std::wstring name; // canonical name
    bool separator = false;
    bool enabled = true;
    UINT id = 0;
    std::vector<Entry> children;
};
} // namespace first_menu

namespace {

using first_menu::Entry;

// The value of `attribute` in the XML element that starts at `tag`, or empty.
std::string AttributeOf(const std::string& xml, std::size_t tag, const std::string& attribute) {
    const std::size_t end = xml.find('>', tag);
    const std::size_t at = xml.find(" " + attribute + "=\"", tag);
    if (at == std::string::npos || at > end) {
        return std::string();
    }
    const std::size_t value = at + attribute.size() + 3;
    return xml.substr(value, xml.find('"', value) - value);
}

// The elements named `element` (with their prefix) in the manifest, in order.
std::vector<std::size_t> Elements(const std::string& xml, const std::string& element) {
    std::vector<std::size_t> found;
    for (std::size_t at = xml.find("<" + element + " "); at != std::string::npos;
         at = xml.find("<" + element + " ", at + 1)) {
        found.push_back(at);
    }
    return found;
}

std::string ReadWhole(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    std::string bytes;
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

std::wstring Answer(HRESULT result, LPWSTR text) {
    std::wstring answer = SUCCEEDED(result) && text != nullptr ? text : L"";
    CoTaskMemFree(text);
    return answer;
}

class Site final : public ComObject<IOleWindow> {
  public:
    explicit Site(HWND window) : window_(window) {}
    STDMETHODIMP GetWindow(HWND* window) override {
        *window = window_;
        return window_ != nullptr ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  private:
    HWND window_;
};

// Shown or not, as Windows asks: at once, and where that cannot be told at once, again as it
// does on a thread of its own.
bool IsShown(IExplorerCommand* command, IShellItemArray* items, bool& enabled) {
    EXPCMDSTATE state = ECS_ENABLED;
    HRESULT result = command->GetState(items, FALSE, &state);
    if (result == E_PENDING) {
        result = command->GetState(items, TRUE, &state);
    }
    enabled = (state & ECS_DISABLED) == 0;
    return SUCCEEDED(result) && (state & ECS_HIDDEN) == 0;
}

Entry Describe(IExplorerCommand* command, IShellItemArray* items) {
    Entry entry;
    entry.command = command;
    LPWSTR text = nullptr;
    HRESULT result = command->GetTitle(items, &text);
    entry.title = Answer(result, text);
    result = command->GetToolTip(items, &text);
    entry.tip = Answer(result, text);
    result = command->GetIcon(items, &text);
    entry.icon = Answer(result, text);
    GUID name{};
    wchar_t nameText[40] = {};
    if (SUCCEEDED(command->GetCanonicalName(&name))) {
        StringFromGUID2(name, nameText, 40);
    }
    entry.name = nameText;
    EXPCMDFLAGS flags = ECF_DEFAULT;
    command->GetFlags(&flags);
    entry.separator = (flags & ECF_ISSEPARATOR) != 0;
    if ((flags & ECF_HASSUBCOMMANDS) != 0) {
        IEnumExplorerCommand* subcommands = nullptr;
        if (SUCCEEDED(command->EnumSubCommands(&subcommands))) {
            IExplorerCommand* next = nullptr;
            while (subcommands->Next(1, &next, nullptr) == S_OK) {
                bool enabled = true;
                if (IsShown(next, items, enabled)) {
                    entry.children.push_back(Describe(next, items));
                    entry.children.back().enabled = enabled;
                } else {
                    next->Release();
                }
            }
            subcommands->Release();
        }
    }
    return entry;
}

void ReleaseEntry(Entry& entry) {
    for (Entry& child : entry.children) {
        ReleaseEntry(child);
    }
    entry.command->Release();
}

// The 16-pixel icon of a location such as "C:\...\Tarvix.dll,-1", drawn on the menu's colour.
HBITMAP MenuBitmap(const std::wstring& location) {
    std::wstring path = location;
    const int index = PathParseIconLocationW(path.data());
    // A negative index is a resource identifier, which Wine's ExtractIconExW does not take.
    HICON icon = nullptr;
    if (index < 0) {
        HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        icon =
            static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(-index), IMAGE_ICON, 16, 16, 0));
        FreeLibrary(module);
    } else {
        ExtractIconExW(path.c_str(), index, nullptr, &icon, 1);
    }
    if (icon == nullptr) {
        return nullptr;
    }
    HDC screen = GetDC(nullptr);
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ previous = SelectObject(canvas, bitmap);
    RECT all{0, 0, 16, 16};
    FillRect(canvas, &all, GetSysColorBrush(COLOR_MENU));
    DrawIconEx(canvas, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    SelectObject(canvas, previous);
    DeleteDC(canvas);
    ReleaseDC(nullptr, screen);
    DestroyIcon(icon);
    return bitmap;
}

} // namespace

struct FirstMenuHost::State {
    std::wstring error;
    IShellItemArray* items = nullptr;
    std::vector<first_menu::Entry> roots;
    std::vector<HBITMAP> bitmaps;
};

FirstMenuHost::FirstMenuHost(const std::wstring& manifest, const std::vector<std::wstring>& paths,
                             HWND owner)
    : state_(std::make_unique<State>()) {
    const std::string xml = ReadWhole(manifest);
    if (xml.empty()) {
        state_->error = L"cannot read the manifest " + manifest;
        return;
    }
    std::vector<std::wstring> missing;
    state_->items = ShellItemArray(paths, &missing);
    if (state_->items == nullptr || !missing.empty()) {
        state_->error = L"no shell items for the paths";
        return;
    }
    // The item types the selection has: a file makes "*" apply, a folder "Directory".
    std::set<std::string> kinds;
    for (const std::wstring& path : paths) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        kinds.insert(attributes != INVALID_FILE_ATTRIBUTES &&
                             (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                         ? "Directory"
                         : "*");
    }
    std::set<std::string> classes;
    for (std::size_t type : Elements(xml, "desktop5:ItemType")) {
        if (kinds.count(AttributeOf(xml, type, "Type")) != 0) {
            classes.insert(AttributeOf(xml, xml.find("<desktop5:Verb ", type), "Clsid"));
        }
    }
    const std::wstring folder = manifest.substr(0, manifest.find_last_of(L"\\/") + 1);
    for (const std::string& clsidText : classes) {
        std::string dllName;
        for (std::size_t comClass : Elements(xml, "com:Class")) {
            if ("{" + AttributeOf(xml, comClass, "Id") + "}" == clsidText) {
                dllName = AttributeOf(xml, comClass, "Path");
            }
        }
        CLSID clsid{};
        const std::wstring dll = folder + FromUtf8(dllName);
        HMODULE module = dllName.empty() ? nullptr : LoadLibraryW(dll.c_str());
        using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
        auto entry = module == nullptr ? nullptr
                                       : reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(
                                             GetProcAddress(module, "DllGetClassObject")));
        IClassFactory* factory = nullptr;
        IExplorerCommand* root = nullptr;
        if (entry == nullptr || FAILED(CLSIDFromString(FromUtf8(clsidText).c_str(), &clsid)) ||
            FAILED(entry(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
            state_->error = L"cannot load the class " + FromUtf8(clsidText) + L" from " + dll;
            continue;
        }
        factory->CreateInstance(nullptr, IID_IExplorerCommand, reinterpret_cast<void**>(&root));
        factory->Release();
        if (root == nullptr) {
            state_->error = L"the class " + FromUtf8(clsidText) + L" is no IExplorerCommand";
            continue;
        }
        IObjectWithSite* withSite = nullptr;
        if (SUCCEEDED(
                root->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&withSite)))) {
            IUnknown* site = new Site(owner);
            withSite->SetSite(site);
            site->Release();
            withSite->Release();
        }
        bool enabled = true;
        if (IsShown(root, state_->items, enabled)) {
            state_->roots.push_back(Describe(root, state_->items));
            state_->roots.back().enabled = enabled;
        } else {
            root->Release();
        }
    }
    if (classes.empty()) {
        state_->error = L"the manifest declares no first-menu handler for these objects";
    } else if (!state_->roots.empty()) {
        state_->error.clear();
    }
}

FirstMenuHost::~FirstMenuHost() {
    for (Entry& root : state_->roots) {
        IObjectWithSite* withSite = nullptr;
        if (SUCCEEDED(root.command->QueryInterface(IID_IObjectWithSite,
                                                   reinterpret_cast<void**>(&withSite)))) {
            withSite->SetSite(nullptr);
            withSite->Release();
        }
        ReleaseEntry(root);
    }
    for (HBITMAP bitmap : state_->bitmaps) {
        DeleteObject(bitmap);
    }
    if (state_->items != nullptr) {
        state_->items->Release();
    }
}

const std::wstring& FirstMenuHost::Error() const {
    return state_->error;
}

void FirstMenuHost::AddTo(HMENU menu, UINT firstId) {
    UINT id = firstId;
    for (Entry& root : state_->roots) {
        HMENU flyout = CreatePopupMenu();
        for (Entry& child : root.children) {
            child.id = id++;
            if (child.separator) {
                AppendMenuW(flyout, MF_SEPARATOR, 0, nullptr);
            } else {
                AppendMenuW(flyout, MF_STRING | (child.enabled ? 0 : MF_GRAYED), child.id,
                            child.title.c_str());
            }
        }
        AppendMenuW(menu, MF_POPUP | (root.enabled ? 0 : MF_GRAYED),
                    reinterpret_cast<UINT_PTR>(flyout), root.title.c_str());
        if (HBITMAP bitmap = MenuBitmap(root.icon)) {
            state_->bitmaps.push_back(bitmap);
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_BITMAP;
            info.hbmpItem = bitmap;
            SetMenuItemInfoW(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), TRUE, &info);
        }
    }
}

void FirstMenuHost::Print() const {
    for (const Entry& root : state_->roots) {
        std::printf("%s > [icon %s]\n", Utf8(root.title).c_str(), Utf8(root.icon).c_str());
        for (const Entry& child : root.children) {
            if (child.separator) {
                std::printf("  ----\n");
            } else {
                std::printf("  %s %s %s\n", Utf8(child.title).c_str(), Utf8(child.name).c_str(),
                            Utf8(child.tip).c_str());
            }
        }
    }
}

HRESULT FirstMenuHost::Invoke(UINT id) {
    for (const Entry& root : state_->roots) {
        for (const Entry& child : root.children) {
            if (child.id == id && !child.separator) {
                return child.command->Invoke(state_->items, nullptr);
            }
        }
    }
    return E_INVALIDARG;
}

HRESULT FirstMenuHost::Invoke(const std::wstring& title) {
    for (const Entry& root : state_->roots) {
        for (const Entry& child : root.children) {
            if (child.title == title && !child.separator) {
                return child.command->Invoke(state_->items, nullptr);
            }
        }
    }
    return E_INVALIDARG;
}

} // namespace tarvix::tools
