// A small shell host: loads the registered context-menu handlers for files and folders
// exactly as Explorer does, and shows, lists or runs their menu for the given objects; with
// --modern, the first menu of Windows 11 from the handlers a package manifest declares.
// Paths are Windows paths; a path starting with '/' is taken as a Unix path under Wine.
// Arguments are read as UTF-16, so names outside the ANSI code page reach the handlers.
#include "platform/Win.h"
#include "tools/FirstMenuHost.h"
#include "tools/ShellDataObject.h"
#include "tools/Utf8.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

using tarvix::tools::Utf8;

constexpr char kUsage[] =
    "usage: ShellHost [<option>] <path>...\n"
    "Loads the registered context-menu handlers as Explorer does, for objects of one folder.\n"
    "Paths are Windows paths, or Unix paths under Wine.\n"
    "\n"
    "  (no option)               a window listing the folder of the paths, those selected.\n"
    "                            Click selects, Ctrl+click and Shift+click extend, a right\n"
    "                            click (or Shift+F10) opens the menu for the selection; the\n"
    "                            list is read again after every command and on F5.\n"
    "  --list                    print the menu for the objects: text [command] help text\n"
    "  --invoke \"<menu text>\"    run the entry with this text on the objects, print the result\n"
    "  --picture <done folder>   open the menu with its submenu unfolded, print\n"
    "                            \"HOLD menu <left> <top> <width> <height>\" and close it once\n"
    "                            the file menu.done appears in the done folder (with\n"
    "                            --modern: first-menu and first-menu.done)\n"
    "  --choose \"<menu text>\"    for tests: the window, where every right click runs this\n"
    "                            entry at once instead of showing the menu\n"
    "  --modern <manifest>       with any of the above: the first menu of Windows 11 instead,\n"
    "                            built from the IExplorerCommand handlers the package\n"
    "                            manifest declares for files and folders, loaded from the\n"
    "                            DLL it names in the manifest's folder: each handler's entry\n"
    "                            with its icon and a flyout of its commands; --list prints\n"
    "                            \"title {canonical name} tooltip\"\n"
    "  --help                    print this text\n"
    "\n"
    "Example: ShellHost --invoke \"NEW NAME.NEW EXTENSION\" \"C:\\Work\\My Photo.jpg\"\n";

constexpr UINT kFirstId = 1;
constexpr UINT kLastId = 0x7FFF;

std::wstring Widen(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

// A full Windows path. Under Wine a Unix path is mapped to its DOS form by kernel32's
// wine_get_dos_file_name, which takes the Unix (UTF-8) bytes.
std::wstring WindowsPath(const std::wstring& path) {
    std::wstring dosPath = path;
    using ToDos = WCHAR*(CDECL*)(const char*);
    auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (!path.empty() && path[0] == L'/' && toDos != nullptr) {
        if (WCHAR* dos = toDos(Utf8(path).c_str())) {
            dosPath = dos;
            HeapFree(GetProcessHeap(), 0, dos);
        }
    }
    const DWORD length = GetFullPathNameW(dosPath.c_str(), 0, nullptr, nullptr);
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(dosPath.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) {
        return dosPath;
    }
    full.resize(written);
    return full;
}

std::wstring FolderOf(const std::wstring& path) {
    std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    return folder.size() == 2 ? folder + L'\\' : folder;
}

std::wstring NameOf(const std::wstring& path) {
    return path.substr(path.find_last_of(L'\\') + 1);
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    return folder.back() == L'\\' ? folder + name : folder + L'\\' + name;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// ---- The handlers and their menu ----

struct Handler {
    IContextMenu* menu = nullptr;
    UINT firstId = 0;
    UINT lastId = 0;
};

// CLSIDs of the handlers registered for all files and for folders, in registry order.
std::vector<std::wstring> RegisteredHandlers() {
    std::vector<std::wstring> found;
    std::set<std::wstring> seen;
    for (const wchar_t* key :
         {L"*\\shellex\\ContextMenuHandlers", L"Folder\\shellex\\ContextMenuHandlers"}) {
        HKEY handlers = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &handlers) != ERROR_SUCCESS) {
            continue;
        }
        wchar_t name[256];
        for (DWORD index = 0;; ++index) {
            DWORD nameLength = ARRAYSIZE(name);
            if (RegEnumKeyExW(handlers, index, name, &nameLength, nullptr, nullptr, nullptr,
                              nullptr) != ERROR_SUCCESS) {
                break;
            }
            wchar_t value[256] = {};
            LONG valueLength = sizeof(value);
            std::wstring clsid = name;
            if (RegQueryValueW(handlers, name, value, &valueLength) == ERROR_SUCCESS &&
                value[0] == L'{') {
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

// The handlers' entries in `menu`; each handler is released by ReleaseHandlers.
std::vector<Handler> LoadHandlers(HMENU menu, IDataObject* data) {
    std::vector<Handler> handlers;
    UINT nextId = kFirstId;
    for (const std::wstring& text : RegisteredHandlers()) {
        CLSID clsid;
        IShellExtInit* init = nullptr;
        if (FAILED(CLSIDFromString(text.c_str(), &clsid)) ||
            FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                    reinterpret_cast<void**>(&init)))) {
            std::fprintf(stderr, "cannot create %s\n", Utf8(text).c_str());
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

void ReleaseHandlers(std::vector<Handler>& handlers) {
    for (Handler& handler : handlers) {
        handler.menu->Release();
    }
    handlers.clear();
}

const Handler* HandlerOf(const std::vector<Handler>& handlers, UINT id) {
    for (const Handler& handler : handlers) {
        if (id >= handler.firstId && id < handler.lastId) {
            return &handler;
        }
    }
    return nullptr;
}

std::wstring ItemText(HMENU menu, int position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, ARRAYSIZE(text), MF_BYPOSITION);
    return text;
}

void PrintMenu(HMENU menu, const std::vector<Handler>& handlers, int depth) {
    const int count = GetMenuItemCount(menu);
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
        const std::string text = Utf8(ItemText(menu, position));
        if (info.fType & MFT_SEPARATOR) {
            std::printf("%s----\n", indent.c_str());
        } else if (info.hSubMenu != nullptr) {
            std::printf("%s%s >\n", indent.c_str(), text.c_str());
            PrintMenu(info.hSubMenu, handlers, depth + 1);
        } else {
            const Handler* handler = HandlerOf(handlers, info.wID);
            char help[256] = {};
            UINT offset = 0;
            if (handler != nullptr) {
                offset = info.wID - handler->firstId;
                handler->menu->GetCommandString(offset, GCS_HELPTEXTA, nullptr, help, sizeof(help));
            }
            std::printf("%s%s [%u] %s\n", indent.c_str(), text.c_str(), offset,
                        Utf8(Widen(help)).c_str());
        }
    }
}

// The identifier of the entry with this text, searched through the submenus; 0 if none.
UINT FindItem(HMENU menu, const std::wstring& text) {
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

IDataObject* DataObjectFor(const std::vector<std::wstring>& paths) {
    std::vector<std::wstring> missing;
    IDataObject* data = tarvix::tools::ShellDataObject(paths, &missing);
    for (const std::wstring& path : missing) {
        std::fprintf(stderr, "cannot find %s\n", Utf8(path).c_str());
    }
    return data;
}

// ---- The window: one folder in a multi-select list, as Explorer shows it ----

struct Listed {
    std::wstring name;
    bool isFolder = false;
};

struct HostState {
    std::wstring folder;         // the folder shown
    std::vector<Listed> objects; // its objects, in list order
    HWND window = nullptr;
    HWND list = nullptr;
    HFONT font = nullptr;
    std::wstring chosenText;  // --choose
    std::wstring pictureDone; // --picture: the done folder
    std::wstring manifest;    // --modern: the package manifest
    bool submenuAsked = false;
};

// The folder's objects as Explorer orders them: folders first, then by name, numbers by value.
std::vector<Listed> FolderContents(const std::wstring& folder) {
    std::vector<Listed> found;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(Join(folder, L"*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..") {
                found.push_back({name, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    std::sort(found.begin(), found.end(), [](const Listed& a, const Listed& b) {
        return a.isFolder != b.isFolder ? a.isFolder
                                        : StrCmpLogicalW(a.name.c_str(), b.name.c_str()) < 0;
    });
    return found;
}

std::vector<int> SelectedIndexes(const HostState& state) {
    const LRESULT count = SendMessageW(state.list, LB_GETSELCOUNT, 0, 0);
    std::vector<int> indexes(static_cast<std::size_t>(std::max<LRESULT>(count, 0)));
    if (!indexes.empty()) {
        SendMessageW(state.list, LB_GETSELITEMS, indexes.size(),
                     reinterpret_cast<LPARAM>(indexes.data()));
    }
    return indexes;
}

std::vector<std::wstring> SelectedPaths(const HostState& state) {
    std::vector<std::wstring> paths;
    for (int index : SelectedIndexes(state)) {
        paths.push_back(Join(state.folder, state.objects[static_cast<std::size_t>(index)].name));
    }
    return paths;
}

// Reads the folder again; the objects of these names (in any letter case) stay selected.
void FillList(HostState& state, const std::vector<std::wstring>& selectedNames) {
    const LRESULT top = SendMessageW(state.list, LB_GETTOPINDEX, 0, 0);
    SendMessageW(state.list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(state.list, LB_RESETCONTENT, 0, 0);
    state.objects = FolderContents(state.folder);
    for (std::size_t index = 0; index < state.objects.size(); ++index) {
        const Listed& object = state.objects[index];
        const std::wstring shown = object.isFolder ? object.name + L"\\" : object.name;
        SendMessageW(state.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        for (const std::wstring& selected : selectedNames) {
            if (SameName(object.name, selected)) {
                SendMessageW(state.list, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
            }
        }
    }
    SendMessageW(state.list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    SendMessageW(state.list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(state.list, nullptr, TRUE);
}

void Refresh(HostState& state) {
    std::vector<std::wstring> selectedNames;
    for (int index : SelectedIndexes(state)) {
        selectedNames.push_back(state.objects[static_cast<std::size_t>(index)].name);
    }
    FillList(state, selectedNames);
}

BOOL CALLBACK AddVisibleMenu(HWND window, LPARAM area) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, ARRAYSIZE(className));
    if (IsWindowVisible(window) && std::wstring(className) == L"#32768") {
        RECT frame{};
        GetWindowRect(window, &frame);
        UnionRect(reinterpret_cast<RECT*>(area), reinterpret_cast<RECT*>(area), &frame);
    }
    return TRUE;
}

BOOL CALLBACK CountVisibleMenu(HWND window, LPARAM counter) {
    RECT none{};
    AddVisibleMenu(window, reinterpret_cast<LPARAM>(&none));
    if (!IsRectEmpty(&none)) {
        ++*reinterpret_cast<int*>(counter);
    }
    return TRUE;
}

// Called while the menu loop idles: first walks down to the submenu and unfolds it with the
// keyboard, then, once both menus show, holds them for the picture and ends the menu.
void PictureStep(HostState& state) {
    if (!state.submenuAsked) {
        state.submenuAsked = true;
        // The extension's block starts with its submenu: the first key selects it.
        PostMessageW(state.window, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(state.window, WM_KEYDOWN, VK_RIGHT, 0);
        return;
    }
    int menus = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountVisibleMenu, reinterpret_cast<LPARAM>(&menus));
    if (menus < 2) {
        return;
    }
    // The window grows under the menus, so that the picture shows nothing else.
    RECT area{};
    GetWindowRect(state.window, &area);
    EnumThreadWindows(GetCurrentThreadId(), AddVisibleMenu, reinterpret_cast<LPARAM>(&area));
    const int margin = GetSystemMetrics(SM_CXVSCROLL);
    area.right += margin;
    area.bottom += margin;
    SetWindowPos(state.window, nullptr, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(state.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const wchar_t* picture = state.manifest.empty() ? L"menu" : L"first-menu";
    std::printf("HOLD %ls %ld %ld %ld %ld\n", picture, area.left, area.top, area.right - area.left,
                area.bottom - area.top);
    std::fflush(stdout);
    const std::wstring done = Join(state.pictureDone, std::wstring(picture) + L".done");
    for (int waited = 0;
         waited < 600 && GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++waited) {
        Sleep(100);
    }
    EndMenu();
}

// The menu for these objects at `at` (screen); runs what the user picks, or with --choose the
// chosen entry at once.
void RunContextMenu(HostState& state, const std::vector<std::wstring>& paths, POINT at) {
    if (!state.manifest.empty()) {
        tarvix::tools::FirstMenuHost firstMenu(state.manifest, paths, state.window);
        if (!firstMenu.Error().empty()) {
            std::fprintf(stderr, "%s\n", Utf8(firstMenu.Error()).c_str());
            return;
        }
        HMENU menu = CreatePopupMenu();
        firstMenu.AddTo(menu, kFirstId);
        const UINT id =
            !state.chosenText.empty()
                ? FindItem(menu, state.chosenText)
                : static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x,
                                                   at.y, 0, state.window, nullptr));
        if (id != 0) {
            firstMenu.Invoke(id);
        }
        DestroyMenu(menu);
        return;
    }
    IDataObject* data = DataObjectFor(paths);
    if (data == nullptr) {
        return;
    }
    HMENU menu = CreatePopupMenu();
    std::vector<Handler> handlers = LoadHandlers(menu, data);
    const UINT id = !state.chosenText.empty()
                        ? FindItem(menu, state.chosenText)
                        : static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                           at.x, at.y, 0, state.window, nullptr));
    if (id != 0) {
        InvokeItem(handlers, id, state.window);
    }
    ReleaseHandlers(handlers);
    DestroyMenu(menu);
    data->Release();
}

// A right click acts on the selection when it hits a selected object; on another object that
// object becomes the selection; off the objects it clears the selection. From the keyboard
// (Shift+F10, the menu key) it acts on the selection. The list is read again afterwards.
void OnContextMenu(HostState& state, LPARAM position) {
    POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (at.x == -1 && at.y == -1) {
        RECT item{};
        const LRESULT caret = SendMessageW(state.list, LB_GETCARETINDEX, 0, 0);
        SendMessageW(state.list, LB_GETITEMRECT, static_cast<WPARAM>(std::max<LRESULT>(caret, 0)),
                     reinterpret_cast<LPARAM>(&item));
        at = {item.left + 16, item.bottom};
        ClientToScreen(state.list, &at);
    } else {
        POINT client = at;
        ScreenToClient(state.list, &client);
        const LRESULT hit =
            SendMessageW(state.list, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
        const int index = LOWORD(hit);
        RECT item{};
        SendMessageW(state.list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
        if (HIWORD(hit) != 0 || !PtInRect(&item, client)) {
            SendMessageW(state.list, LB_SETSEL, FALSE, -1);
            return;
        }
        if (SendMessageW(state.list, LB_GETSEL, static_cast<WPARAM>(index), 0) <= 0) {
            SendMessageW(state.list, LB_SETSEL, FALSE, -1);
            SendMessageW(state.list, LB_SETSEL, TRUE, index);
            SendMessageW(state.list, LB_SETANCHORINDEX, static_cast<WPARAM>(index), 0);
            SendMessageW(state.list, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
        }
    }
    const std::vector<std::wstring> paths = SelectedPaths(state);
    if (!paths.empty()) {
        RunContextMenu(state, paths, at);
        Refresh(state);
    }
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<HostState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (state == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_ENTERIDLE:
        if (!state->pictureDone.empty() && wParam == MSGF_MENU) {
            PictureStep(*state);
        }
        return 0;
    case WM_TIMER: // keeps the menu loop waking, so that it idles again
        return 0;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == state->list) {
            OnContextMenu(*state, lParam);
        }
        return 0;
    case WM_SETFOCUS:
        SetFocus(state->list);
        return 0;
    case WM_SIZE:
        MoveWindow(state->list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The window on the folder of the first path, the given objects selected. For pictures it has
// no caption: only the list and the menu are to be seen.
HWND CreateHostWindow(HostState& state, const std::vector<std::wstring>& paths, bool forPicture) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"TarvixShellHost";
    RegisterClassW(&windowClass);
    state.folder = FolderOf(paths.front());
    // The first menu's window opens beside the classic one's.
    const bool firstMenu = !state.manifest.empty();
    const std::wstring title =
        state.folder + (firstMenu ? L" - Tarvix shell host, first menu" : L" - Tarvix shell host");
    const DWORD style = forPicture ? WS_POPUP | WS_BORDER : WS_OVERLAPPEDWINDOW;
    const SIZE size = forPicture ? SIZE{240, 100} : SIZE{520, 320};
    state.window =
        CreateWindowW(L"TarvixShellHost", title.c_str(), style, firstMenu && !forPicture ? 600 : 60,
                      60, size.cx, size.cy, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    state.list = CreateWindowW(
        L"LISTBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT, 0,
        0, 0, 0, state.window, nullptr, GetModuleHandleW(nullptr), nullptr);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    state.font = CreateFontIndirectW(&metrics.lfMessageFont);
    SendMessageW(state.list, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
    SetWindowLongPtrW(state.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    RECT client{};
    GetClientRect(state.window, &client);
    MoveWindow(state.list, 0, 0, client.right, client.bottom, FALSE);
    std::vector<std::wstring> names;
    for (const std::wstring& path : paths) {
        if (SameName(FolderOf(path), state.folder)) {
            names.push_back(NameOf(path));
        }
    }
    FillList(state, names);
    // A picture's window stays inactive: activated, it would rise above the menu under Wine.
    if (forPicture) {
        ShowWindow(state.window, SW_SHOWNOACTIVATE);
    } else {
        ShowWindow(state.window, SW_SHOWNORMAL);
        SetFocus(state.list);
    }
    return state.window;
}

int RunWindow(HostState& state, const std::vector<std::wstring>& paths) {
    CreateHostWindow(state, paths, false);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_F5) {
            Refresh(state);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(state.font);
    return 0;
}

int RunPicture(HostState& state, const std::vector<std::wstring>& paths) {
    CreateHostWindow(state, paths, true);
    UpdateWindow(state.window);
    SetTimer(state.window, 1, 200, nullptr);
    // Right-clicked on the last object, a third of the way across.
    RECT item{};
    SendMessageW(state.list, LB_GETITEMRECT, state.objects.size() - 1,
                 reinterpret_cast<LPARAM>(&item));
    POINT at{item.right / 3, (item.top + item.bottom) / 2};
    ClientToScreen(state.list, &at);
    RunContextMenu(state, SelectedPaths(state), at);
    DestroyWindow(state.window);
    DeleteObject(state.font);
    return 0;
}

// --modern with --list or --invoke.
int RunFirstMenuWithoutWindow(const std::wstring& manifest, bool list, const std::wstring& itemText,
                              const std::vector<std::wstring>& paths) {
    // The owner of the command's windows; never shown.
    HWND owner = CreateWindowW(L"STATIC", L"Tarvix shell host", WS_OVERLAPPEDWINDOW, 60, 60, 520,
                               320, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    int exitCode = 0;
    {
        tarvix::tools::FirstMenuHost firstMenu(manifest, paths, owner);
        if (!firstMenu.Error().empty()) {
            std::fprintf(stderr, "%s\n", Utf8(firstMenu.Error()).c_str());
            exitCode = 1;
        } else if (list) {
            firstMenu.Print();
        } else {
            const HRESULT result = firstMenu.Invoke(itemText);
            std::printf("invoke \"%s\": 0x%08lx\n", Utf8(itemText).c_str(),
                        static_cast<unsigned long>(result));
            exitCode = SUCCEEDED(result) ? 0 : 1;
        }
    }
    DestroyWindow(owner);
    return exitCode;
}

// --list and --invoke: the menu for the objects, without a window.
int RunWithoutWindow(bool list, const std::wstring& itemText,
                     const std::vector<std::wstring>& paths) {
    IDataObject* data = DataObjectFor(paths);
    if (data == nullptr) {
        std::fprintf(stderr, "no data object for the paths\n");
        return 1;
    }
    HMENU menu = CreatePopupMenu();
    std::vector<Handler> handlers = LoadHandlers(menu, data);
    int exitCode = 0;
    if (list) {
        PrintMenu(menu, handlers, 0);
    } else {
        const UINT id = FindItem(menu, itemText);
        // The owner of the command's windows; never shown.
        HWND owner = CreateWindowW(L"STATIC", L"Tarvix shell host", WS_OVERLAPPEDWINDOW, 60, 60,
                                   520, 320, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        const HRESULT result = id != 0 ? InvokeItem(handlers, id, owner) : E_INVALIDARG;
        std::printf("invoke \"%s\": 0x%08lx\n", Utf8(itemText).c_str(),
                    static_cast<unsigned long>(result));
        exitCode = SUCCEEDED(result) ? 0 : 1;
        DestroyWindow(owner);
    }
    ReleaseHandlers(handlers);
    DestroyMenu(menu);
    data->Release();
    return exitCode;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring mode;
    std::wstring itemText;
    HostState state;
    std::vector<std::wstring> paths;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == L"--help" || argument == L"/?") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (argument == L"--list") {
            mode = argument;
        } else if ((argument == L"--invoke" || argument == L"--choose") && hasValue) {
            mode = argument;
            itemText = argv[++i];
        } else if (argument == L"--picture" && hasValue) {
            mode = argument;
            state.pictureDone = argv[++i];
        } else if (argument == L"--modern" && hasValue) {
            state.manifest = WindowsPath(argv[++i]);
        } else if (argument.rfind(L"--", 0) == 0) {
            std::fprintf(stderr, "unknown option %s\n\n%s", Utf8(argument).c_str(), kUsage);
            return 2;
        } else {
            paths.push_back(WindowsPath(argument));
        }
    }
    if (paths.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    OleInitialize(nullptr);
    int exitCode = 0;
    if ((mode == L"--list" || mode == L"--invoke") && !state.manifest.empty()) {
        exitCode = RunFirstMenuWithoutWindow(state.manifest, mode == L"--list", itemText, paths);
    } else if (mode == L"--list" || mode == L"--invoke") {
        exitCode = RunWithoutWindow(mode == L"--list", itemText, paths);
    } else if (mode == L"--picture") {
        exitCode = RunPicture(state, paths);
    } else {
        if (mode == L"--choose") {
            state.chosenText = itemText;
        }
        exitCode = RunWindow(state, paths);
    }
    std::fflush(stdout);
    OleUninitialize();
    return exitCode;
}
