// Initialize: what reaches the selection list, and what leaves it alone.
#include "common/PathTerms.h"
#include "shell/SelectionIntake.h"
#include "shell/Server.h"
#include "shell/TarvixExt.h"
#include "support/DropData.h"
#include "support/Extension.h"
#include "support/TempFolder.h"
#include "support/WindowRobot.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace tarvix::test {
namespace {

HRESULT InitializeWith(IShellExtInit* init, IDataObject* data) {
    const HRESULT result = init->Initialize(nullptr, data, nullptr);
    if (data != nullptr) {
        data->Release();
    }
    return result;
}

// A data object with the ID list array alone, whose parent is the desktop and whose objects
// are named by their whole item lists, as search results give them.
IDataObject* DesktopIdListArray(const std::vector<std::wstring>& paths) {
    using CreateFromIdArray =
        HRESULT(WINAPI*)(PCIDLIST_ABSOLUTE, UINT, PCUIDLIST_RELATIVE_ARRAY, IDataObject**);
    const auto create = reinterpret_cast<CreateFromIdArray>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"shell32.dll"), MAKEINTRESOURCEA(83))));
    std::vector<PIDLIST_ABSOLUTE> items;
    for (const std::wstring& path : paths) {
        items.push_back(::ILCreateFromPathW(path.c_str()));
    }
    const ITEMIDLIST_ABSOLUTE desktop{};
    IDataObject* data = nullptr;
    if (create != nullptr) {
        create(&desktop, static_cast<UINT>(items.size()),
               const_cast<PCUIDLIST_RELATIVE_ARRAY>(
                   reinterpret_cast<PUIDLIST_RELATIVE*>(items.data())),
               &data);
    }
    for (PIDLIST_ABSOLUTE item : items) {
        ::ILFree(item);
    }
    return WithoutDropList(data);
}

// The shell's own data object, and the same without its drop list (as the shell gives it for
// long paths where the volume has no 8.3 names): its ID list array names the same objects,
// also where it names them from the desktop down.
TEST(Selection, ShellDataObjectGivesFullPathsInOrderWithFolders) {
    TempFolder folder;
    WriteTextFile(folder / "b with space.txt", "b");
    WriteTextFile(folder / "a.txt", "a");
    MakeFolder(folder / "sub");
    const std::vector<std::wstring> paths = {folder / "b with space.txt", folder / "sub",
                                             folder / "a.txt"};
    const std::pair<const char*, IDataObject*> sources[] = {
        {"drop list", ShellDataObject(paths)},
        {"ID list array", WithoutDropList(ShellDataObject(paths))},
        {"ID list array from the desktop", DesktopIdListArray(paths)},
    };
    for (const auto& [source, data] : sources) {
        SCOPED_TRACE(source);
        ASSERT_NE(data, nullptr);
        TTarvixExt* extension = new TTarvixExt();
        extension->AddRef();
        EXPECT_EQ(InitializeWith(extension, data), S_OK);
        const std::vector<std::wstring> selected = extension->SelectedPaths();
        extension->Release();
        ASSERT_EQ(selected.size(), 3u);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            EXPECT_EQ(lstrcmpiW(selected[i].c_str(), paths[i].c_str()), 0) << U8(selected[i]);
        }
    }
}

// The data object of an object outside the file system (This PC), with no drop list.
IDataObject* ThisPcWithoutDropList() {
    IShellFolder* desktop = nullptr;
    if (FAILED(::SHGetDesktopFolder(&desktop))) {
        return nullptr;
    }
    wchar_t thisPc[] = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
    PIDLIST_RELATIVE item = nullptr;
    IDataObject* data = nullptr;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, thisPc, nullptr, &item, nullptr))) {
        PCUITEMID_CHILD child = reinterpret_cast<PCUITEMID_CHILD>(item);
        desktop->GetUIObjectOf(nullptr, 1, &child, IID_IDataObject, nullptr,
                               reinterpret_cast<void**>(&data));
        ::CoTaskMemFree(item);
    }
    desktop->Release();
    return WithoutDropList(data, DV_E_FORMATETC);
}

TEST(Selection, DropListKeepsDuplicatesLongNamesAndEveryScriptWhole) {
    const std::wstring longName = L"C:\\" + std::wstring(300, L'n') + L".txt";
    const std::wstring foreign = W("C:\\Łódź\\Ελληνικά 日本 😀.txt");
    IDataObject* data = NewDropDataObject(
        std::vector<std::wstring>{L"C:\\x\\a.txt", L"C:\\x\\a.txt", longName, foreign});
    TTarvixExt* extension = new TTarvixExt();
    extension->AddRef();
    EXPECT_EQ(InitializeWith(extension, data), S_OK);
    EXPECT_EQ(extension->SelectedPaths(),
              (std::vector<std::wstring>{L"C:\\x\\a.txt", L"C:\\x\\a.txt", longName, foreign}))
        << "never cut to another path, never another character";

    EXPECT_EQ(InitializeWith(extension, NewDropDataObject(std::vector<std::string>{})), S_OK);
    EXPECT_TRUE(extension->SelectedPaths().empty()) << "an empty drop list empties the selection";
    extension->Release();
}

TEST(Selection, RefusalsKeepThePreviousSelection) {
    TTarvixExt* extension = new TTarvixExt();
    extension->AddRef();
    ASSERT_EQ(InitializeWith(extension, NewDropDataObject({"C:\\kept.txt"})), S_OK);

    EXPECT_EQ(InitializeWith(extension, nullptr), E_INVALIDARG);
    EXPECT_EQ(InitializeWith(extension, NewDropDataObject({}, DV_E_FORMATETC)), DV_E_FORMATETC);
    EXPECT_EQ(InitializeWith(extension, NewDropDataObject({}, E_OUTOFMEMORY)), E_OUTOFMEMORY);
    IDataObject* thisPc = ThisPcWithoutDropList();
    ASSERT_NE(thisPc, nullptr);
    EXPECT_EQ(InitializeWith(extension, thisPc), DV_E_FORMATETC)
        << "an object without a file system path: no menu";

    RaiseBusy();
    EXPECT_EQ(InitializeWith(extension, NewDropDataObject({"C:\\other.txt"})), E_INVALIDARG)
        << "refused while a command runs";
    LowerBusy();

    ASSERT_EQ(extension->SelectedPaths().size(), 1u);
    EXPECT_EQ(extension->SelectedPaths()[0], L"C:\\kept.txt");
    extension->Release();
}

// Each object keeps the selection of its own Initialize: a command chosen in one folder
// window acts on that window's objects, whatever another window selected since.
class OwnSelection : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTextFile(folder / "a.txt", "a");
        WriteTextFile(folder / "Bee.TXT", "b");
    }
    TempFolder folder;
    ExtensionDll dll;
};

TEST_F(OwnSelection, EachObjectRunsItsCommandOnItsOwnSelection) {
    IContextMenu* first = SelectWith(dll, {folder / "a.txt"});
    IContextMenu* second = SelectWith(dll, {folder / "Bee.TXT"});
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Invoke(first, 7), S_OK); // NEW NAME.NEW EXTENSION
    EXPECT_EQ(Snapshot(folder.Path()), (Map{{"A.TXT", "a"}, {"Bee.TXT", "b"}}));
    first->Release();
    second->Release();
}

// Each object on a thread of its own, as the shell's folder windows are: both select before
// either runs its command.
TEST_F(OwnSelection, ObjectsOnTwoThreadsKeepTheirOwnSelections) {
    std::atomic<int> selected{0};
    auto window = [&](const std::wstring& path, unsigned command) {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IContextMenu* menu = SelectWith(dll, {path});
        ++selected;
        WaitUntil([&] { return selected.load() == 2; });
        EXPECT_NE(menu, nullptr);
        if (menu != nullptr) {
            EXPECT_EQ(Invoke(menu, command), S_OK);
            menu->Release();
        }
        ::CoUninitialize();
    };
    std::thread upper(window, folder / "a.txt", 7u);   // NEW NAME.NEW EXTENSION
    std::thread lower(window, folder / "Bee.TXT", 4u); // new name.new extension
    upper.join();
    lower.join();
    EXPECT_EQ(Snapshot(folder.Path()), (Map{{"A.TXT", "a"}, {"bee.txt", "b"}}));
}

HGLOBAL GlobalCopy(const std::vector<BYTE>& block) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, block.size());
    std::memcpy(::GlobalLock(memory), block.data(), block.size());
    ::GlobalUnlock(memory);
    return memory;
}

// What a handler gets by asking DragQueryFileW name by name, each name whole.
std::vector<std::wstring> DragQueryFileNames(HGLOBAL memory) {
    HDROP drop = static_cast<HDROP>(memory);
    std::vector<std::wstring> names;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        const UINT length = ::DragQueryFileW(drop, index, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        ::DragQueryFileW(drop, index, name.data(), length + 1);
        name.resize(length);
        names.push_back(name);
    }
    return names;
}

// The one-pass read gives what the platform's own loop gives, for wide lists (any name) and
// ANSI ones (names of the code page, converted as the platform converts them).
TEST(Selection, OnePassReadEqualsTheDragQueryFileLoop) {
    std::vector<std::string> many;
    for (int i = 0; i < 500; ++i) {
        many.push_back("Z:\\folder " + std::to_string(i) + "\\file.txt");
    }
    const std::vector<std::vector<std::string>> lists = {
        {"C:\\one.txt"},
        {"C:\\a.txt", "C:\\a.txt", "C:\\b c\\d"},
        {"C:\\" + std::string(259, 'x'), "C:\\" + std::string(1000, 'y') + ".txt"},
        {"C:\\caf\xe9\\\x84quoted\x94.txt", "C:\\\xe9t\xe9"},
        many,
    };
    for (const auto& names : lists) {
        for (bool wide : {true, false}) {
            HGLOBAL memory = GlobalCopy(DropFilesBlock(names, wide));
            EXPECT_EQ(DropListNames(memory)->ToVector(), DragQueryFileNames(memory))
                << names.front() << (wide ? " wide" : " ansi");
            ::GlobalFree(memory);
        }
    }
    const std::vector<std::wstring> scripts = {W("C:\\Łódź.txt"), W("C:\\Ελληνικά"),
                                               W("C:\\日本\\語.txt"), W("C:\\😀 emoji.txt")};
    HGLOBAL memory = GlobalCopy(WideDropFilesBlock(scripts));
    EXPECT_EQ(DropListNames(memory)->ToVector(), scripts);
    EXPECT_EQ(DragQueryFileNames(memory), scripts);
    ::GlobalFree(memory);
    // Windows counts no name in an empty list (Wine's DragQueryFile counts one).
    HGLOBAL empty = GlobalCopy(DropFilesBlock({}, true));
    EXPECT_TRUE(DropListNames(empty)->empty());
    ::GlobalFree(empty);
}

// On a double-byte code page a trail byte may equal '\\' (0x5C): an ANSI list is converted
// whole before any path term is looked for. Runs where the ANSI code page is 932 (Japanese).
TEST(DoubleByteCodePage, TrailBytesLikeABackslashStayInTheirCharacter) {
    if (::GetACP() != 932) {
        GTEST_SKIP() << "the ANSI code page is " << ::GetACP();
    }
    // 表 is 0x95 0x5C and ソ is 0x83 0x5C in code page 932.
    const std::string folder = "C:\\\x95\x5c";
    const std::string file = "\x83\x5c.txt";
    TTarvixExt* extension = new TTarvixExt();
    extension->AddRef();
    EXPECT_EQ(
        InitializeWith(extension, NewDropDataObject(DropFilesBlock({folder + "\\" + file}, false))),
        S_OK);
    const std::vector<std::wstring> selected = extension->SelectedPaths();
    extension->Release();
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0], L"C:\\\u8868\\\u30bd.txt");
    EXPECT_EQ(ObjectFolder(selected[0]), L"C:\\\u8868");
    EXPECT_EQ(BareName(selected[0]), L"\u30bd.txt");
}

TEST(Selection, MalformedBlocksAreRefusedAndKeepTheSelection) {
    TTarvixExt* extension = new TTarvixExt();
    extension->AddRef();
    ASSERT_EQ(InitializeWith(extension, NewDropDataObject({"C:\\kept.txt"})), S_OK);
    std::vector<BYTE> truncated = DropFilesBlock({"C:\\a.txt", "C:\\b.txt"});
    truncated.resize(truncated.size() - 3);
    std::vector<BYTE> pastTheEnd = DropFilesBlock({"C:\\a.txt"});
    reinterpret_cast<DROPFILES*>(pastTheEnd.data())->pFiles = 4096;
    for (auto* block : {&truncated, &pastTheEnd}) {
        EXPECT_TRUE(FAILED(InitializeWith(extension, NewDropDataObject(*block, S_OK))));
    }
    EXPECT_TRUE(FAILED(InitializeWith(extension, NewDropDataObject(std::vector<BYTE>{}, S_OK))));
    ASSERT_EQ(extension->SelectedPaths().size(), 1u);
    EXPECT_EQ(extension->SelectedPaths()[0], L"C:\\kept.txt");
    extension->Release();
}

} // namespace
} // namespace tarvix::test
