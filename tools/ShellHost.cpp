// A small shell host: loads the registered context-menu handlers for files and folders
// exactly as Explorer does, and shows, lists or runs their menu for the given objects.
//
//   ShellHost [--list | --invoke "<menu text>" | --picture <done folder>] <path>...
//
// --picture opens the menu at a fixed point with its submenu unfolded, prints
// "HOLD menu <left> <top> <width> <height>" (the host window and the menus, screen pixels)
// and closes it once the file menu.done appears in the done folder (a Windows path).
//
// Paths are Windows paths; a path starting with '/' is taken as a Unix path under Wine.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr UINT kFirstId = 1;
constexpr UINT kLastId = 0x7FFF;

struct Handler {
    IContextMenu* menu = nullptr;
    UINT firstId = 0;
    UINT lastId = 0;
};

std::wstring Widen(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

// Under Wine a Unix path is mapped to its DOS form by kernel32's wine_get_dos_file_name.
std::string WindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') {
        return path;
    }
    using ToDos = WCHAR*(CDECL*)(const char*);
    auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos == nullptr) {
        return path;
    }
    WCHAR* dos = toDos(path.c_str());
    if (dos == nullptr) {
        return path;
    }
    char buffer[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, dos, -1, buffer, sizeof(buffer), nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, dos);
    return buffer;
}

// The shell's own data object for objects of one folder.
IDataObject* DataObjectFor(const std::vector<std::string>& paths) {
    IShellFolder* desktop = nullptr;
    if (paths.empty() || FAILED(SHGetDesktopFolder(&desktop))) {
        return nullptr;
    }
    std::string folder = paths.front().substr(0, paths.front().find_last_of('\\'));
    if (folder.size() == 2) {
        folder += '\\';
    }
    std::wstring folderName = Widen(folder);
    PIDLIST_RELATIVE folderId = nullptr;
    IShellFolder* parent = nullptr;
    IDataObject* data = nullptr;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, folderName.data(), nullptr, &folderId,
                                            nullptr)) &&
        SUCCEEDED(desktop->BindToObject(folderId, nullptr, IID_IShellFolder,
                                        reinterpret_cast<void**>(&parent)))) {
        std::vector<PITEMID_CHILD> children;
        for (const std::string& path : paths) {
            std::wstring child = Widen(path.substr(path.find_last_of('\\') + 1));
            PIDLIST_RELATIVE childId = nullptr;
            if (SUCCEEDED(parent->ParseDisplayName(nullptr, nullptr, child.data(), nullptr,
                                                   &childId, nullptr))) {
                children.push_back(reinterpret_cast<PITEMID_CHILD>(childId));
            } else {
                std::fprintf(stderr, "cannot find %s\n", path.c_str());
            }
        }
        parent->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()),
                              const_cast<PCUITEMID_CHILD_ARRAY>(children.data()), IID_IDataObject,
                              nullptr, reinterpret_cast<void**>(&data));
        for (PITEMID_CHILD child : children) {
            CoTaskMemFree(child);
        }
        parent->Release();
    }
    CoTaskMemFree(folderId);
    desktop->Release();
    return data;
}

// CLSIDs of the handlers registered for all files and for folders, in registry order.
std::vector<std::string> RegisteredHandlers() {
    std::vector<std::string> found;
    std::set<std::string> seen;
    for (const char* key :
         {"*\\shellex\\ContextMenuHandlers", "Folder\\shellex\\ContextMenuHandlers"}) {
        HKEY handlers = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &handlers) != ERROR_SUCCESS) {
            continue;
        }
        char name[256];
        for (DWORD index = 0;; ++index) {
            DWORD nameLength = sizeof(name);
            if (RegEnumKeyExA(handlers, index, name, &nameLength, nullptr, nullptr, nullptr,
                              nullptr) != ERROR_SUCCESS) {
                break;
            }
            char value[256] = {};
            LONG valueLength = sizeof(value);
            std::string clsid = name;
            if (RegQueryValueA(handlers, name, value, &valueLength) == ERROR_SUCCESS &&
                value[0] == '{') {
                clsid = value;
            }
            if (seen.insert(clsid).second) {
                found.push_back(clsid);
            }
        }
        RegCloseKey(handlers);
    }
    return found;
}

std::vector<Handler> LoadHandlers(HMENU menu, IDataObject* data) {
    std::vector<Handler> handlers;
    UINT nextId = kFirstId;
    for (const std::string& text : RegisteredHandlers()) {
        CLSID clsid;
        std::wstring wide = Widen(text);
        if (FAILED(CLSIDFromString(wide.c_str(), &clsid))) {
            continue;
        }
        IShellExtInit* init = nullptr;
        if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                    reinterpret_cast<void**>(&init)))) {
            std::fprintf(stderr, "cannot create %s\n", text.c_str());
            continue;
        }
        Handler handler;
        if (SUCCEEDED(init->Initialize(nullptr, data, nullptr)) &&
            SUCCEEDED(
                init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&handler.menu)))) {
            const HRESULT result = handler.menu->QueryContextMenu(
                menu, static_cast<UINT>(GetMenuItemCount(menu)), nextId, kLastId, CMF_NORMAL);
            handler.firstId = nextId;
            handler.lastId = nextId + HRESULT_CODE(result);
            nextId = handler.lastId;
            handlers.push_back(handler);
        }
        init->Release();
    }
    return handlers;
}

const Handler* HandlerOf(const std::vector<Handler>& handlers, UINT id) {
    for (const Handler& handler : handlers) {
        if (id >= handler.firstId && id < handler.lastId) {
            return &handler;
        }
    }
    return nullptr;
}

std::string ItemText(HMENU menu, int position) {
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
    return text;
}

void PrintMenu(HMENU menu, const std::vector<Handler>& handlers, int depth) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
        const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
        if (info.fType & MFT_SEPARATOR) {
            std::printf("%s----\n", indent.c_str());
        } else if (info.hSubMenu != nullptr) {
            std::printf("%s%s >\n", indent.c_str(), ItemText(menu, position).c_str());
            PrintMenu(info.hSubMenu, handlers, depth + 1);
        } else {
            const Handler* handler = HandlerOf(handlers, info.wID);
            char help[256] = {};
            UINT offset = 0;
            if (handler != nullptr) {
                offset = info.wID - handler->firstId;
                handler->menu->GetCommandString(offset, GCS_HELPTEXTA, nullptr, help, sizeof(help));
            }
            std::printf("%s%s [%u] %s\n", indent.c_str(), ItemText(menu, position).c_str(), offset,
                        help);
        }
    }
}

// The identifier of the entry with this text, searched through the submenus; 0 if none.
UINT FindItem(HMENU menu, const std::string& text) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        HMENU submenu = GetSubMenu(menu, position);
        if (submenu != nullptr) {
            if (UINT id = FindItem(submenu, text)) {
                return id;
            }
        } else if (ItemText(menu, position) == text) {
            return GetMenuItemID(menu, position);
        }
    }
    return 0;
}

HRESULT InvokeItem(const std::vector<Handler>& handlers, UINT id, HWND window) {
    const Handler* handler = HandlerOf(handlers, id);
    if (handler == nullptr) {
        return E_INVALIDARG;
    }
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    info.hwnd = window;
    info.lpVerb = MAKEINTRESOURCEA(id - handler->firstId);
    info.nShow = SW_SHOWNORMAL;
    return handler->menu->InvokeCommand(&info);
}

struct HostState {
    std::vector<std::string> paths;
    HWND list = nullptr;
    std::string pictureDone; // the done folder of --picture
    bool submenuAsked = false;
};

constexpr POINT kPictureMenuAt{200, 150};

BOOL CALLBACK AddVisibleMenu(HWND window, LPARAM area) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (IsWindowVisible(window) && std::string(className) == "#32768") {
        RECT frame{};
        GetWindowRect(window, &frame);
        UnionRect(reinterpret_cast<RECT*>(area), reinterpret_cast<RECT*>(area), &frame);
    }
    return TRUE;
}

int VisibleMenuCount() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) {
            char className[16] = {};
            GetClassNameA(window, className, sizeof(className));
            if (IsWindowVisible(window) && std::string(className) == "#32768") {
                ++*reinterpret_cast<int*>(counter);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// Called while the menu loop idles: first walks down to the submenu and unfolds it with the
// keyboard, then, once both menus show, holds them for the picture and ends the menu.
void PictureStep(HWND window, HostState& state) {
    if (!state.submenuAsked) {
        state.submenuAsked = true;
        // The extension's block starts with its submenu: the first key selects it.
        PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
        return;
    }
    if (VisibleMenuCount() < 2) {
        return;
    }
    RECT area{};
    GetWindowRect(window, &area);
    EnumThreadWindows(GetCurrentThreadId(), AddVisibleMenu, reinterpret_cast<LPARAM>(&area));
    std::printf("HOLD menu %ld %ld %ld %ld\n", area.left, area.top, area.right - area.left,
                area.bottom - area.top);
    std::fflush(stdout);
    const std::string done = state.pictureDone + "\\menu.done";
    for (int waited = 0;
         waited < 600 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++waited) {
        Sleep(100);
    }
    EndMenu();
}

void ShowContextMenu(HWND window, HostState& state, POINT at) {
    IDataObject* data = DataObjectFor(state.paths);
    if (data == nullptr) {
        return;
    }
    HMENU menu = CreatePopupMenu();
    std::vector<Handler> handlers = LoadHandlers(menu, data);
    const UINT id = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr));
    if (id != 0) {
        InvokeItem(handlers, id, window);
    }
    for (Handler& handler : handlers) {
        handler.menu->Release();
    }
    DestroyMenu(menu);
    data->Release();
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<HostState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_ENTERIDLE:
        if (state != nullptr && !state->pictureDone.empty() && wParam == MSGF_MENU) {
            PictureStep(window, *state);
        }
        return 0;
    case WM_TIMER: // keeps the menu loop waking, so that it idles again
        return 0;
    case WM_CONTEXTMENU:
        if (state != nullptr) {
            POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ShowContextMenu(window, *state, at);
        }
        return 0;
    case WM_SIZE:
        if (state != nullptr && state->list != nullptr) {
            MoveWindow(state->list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateHostWindow(HostState& state, bool visible) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "TarvixShellHost";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("TarvixShellHost", "Tarvix shell host - right-click the files",
                                WS_OVERLAPPEDWINDOW, 60, 60, 520, 320, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    state.list = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, 0, 0,
                               500, 280, window, nullptr, GetModuleHandleA(nullptr), nullptr);
    for (const std::string& path : state.paths) {
        SendMessageA(state.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
    }
    if (visible) {
        ShowWindow(window, SW_SHOWNORMAL);
    }
    return window;
}

int Usage() {
    std::fprintf(stderr, "usage: ShellHost [--list | --invoke \"<menu text>\" | --picture <done "
                         "folder>] <path>...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string mode;
    std::string itemText;
    HostState state;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--list") {
            mode = "list";
        } else if (argument == "--picture" && i + 1 < argc) {
            mode = "picture";
            state.pictureDone = argv[++i];
        } else if (argument == "--invoke" && i + 1 < argc) {
            mode = "invoke";
            itemText = argv[++i];
        } else {
            state.paths.push_back(WindowsPath(argument));
        }
    }
    if (state.paths.empty()) {
        return Usage();
    }
    OleInitialize(nullptr);
    int exitCode = 0;
    if (mode == "picture") {
        HWND window = CreateHostWindow(state, true);
        UpdateWindow(window);
        SetTimer(window, 1, 200, nullptr);
        ShowContextMenu(window, state, kPictureMenuAt);
        DestroyWindow(window);
    } else if (mode.empty()) {
        HWND window = CreateHostWindow(state, true);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        (void)window;
    } else {
        IDataObject* data = DataObjectFor(state.paths);
        if (data == nullptr) {
            std::fprintf(stderr, "no data object for the paths\n");
            OleUninitialize();
            return 1;
        }
        HMENU menu = CreatePopupMenu();
        std::vector<Handler> handlers = LoadHandlers(menu, data);
        if (mode == "list") {
            PrintMenu(menu, handlers, 0);
        } else {
            const UINT id = FindItem(menu, itemText);
            HWND window = CreateHostWindow(state, false);
            const HRESULT result = id != 0 ? InvokeItem(handlers, id, window) : E_INVALIDARG;
            std::printf("invoke \"%s\": 0x%08lx\n", itemText.c_str(),
                        static_cast<unsigned long>(result));
            exitCode = SUCCEEDED(result) ? 0 : 1;
            DestroyWindow(window);
        }
        for (Handler& handler : handlers) {
            handler.menu->Release();
        }
        DestroyMenu(menu);
        data->Release();
    }
    std::fflush(stdout);
    OleUninitialize();
    return exitCode;
}
