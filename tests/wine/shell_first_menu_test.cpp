// The first menu of Windows 11, reached through the DLL's exports as Explorer reaches it: the
// root "Tarvix" with its icon, its subcommands beside the classic menu's entries, when it shows,
// and what its commands do with items that have no path.
#include "shell/ItemIntake.h"
#include "shell/Server.h"
#include "shell/TarvixCommand.h"
#include "shell/TarvixExtFactory.h"
#include "support/Extension.h"
#include "support/FirstMenu.h"
#include "support/TempFolder.h"
#include "support/WindowRobot.h"
#include "tools/ShellItems.h"

#include <gtest/gtest.h>

#include <set>

namespace tarvix::test {
namespace {

class FirstMenu : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(root); }
    ExtensionDll dll;
    ComRef<IExplorerCommand> root{dll.NewFirstMenu()};
};

std::wstring Title(IExplorerCommand* command) {
    return Answered([&](LPWSTR* text) { return command->GetTitle(nullptr, text); });
}

std::wstring ToolTip(IExplorerCommand* command) {
    return Answered([&](LPWSTR* text) { return command->GetToolTip(nullptr, text); });
}

EXPCMDFLAGS Flags(IExplorerCommand* command) {
    EXPCMDFLAGS flags = ~0u;
    EXPECT_EQ(command->GetFlags(&flags), S_OK);
    return flags;
}

std::wstring NameText(IExplorerCommand* command) {
    GUID name{};
    EXPECT_EQ(command->GetCanonicalName(&name), S_OK);
    wchar_t text[40] = {};
    ::StringFromGUID2(name, text, 40);
    return text;
}

// The share of the icon's pixels that stand apart from `background` when drawn on it.
double ShareApartFrom(HICON icon, int size, COLORREF background) {
    HDC screen = ::GetDC(nullptr);
    HDC canvas = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ previous = ::SelectObject(canvas, bitmap);
    HBRUSH brush = ::CreateSolidBrush(background);
    RECT all{0, 0, size, size};
    ::FillRect(canvas, &all, brush);
    ::DrawIconEx(canvas, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    int apart = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const COLORREF pixel = ::GetPixel(canvas, x, y);
            const int distance = std::abs(GetRValue(pixel) - GetRValue(background)) +
                                 std::abs(GetGValue(pixel) - GetGValue(background)) +
                                 std::abs(GetBValue(pixel) - GetBValue(background));
            apart += distance > 150 ? 1 : 0;
        }
    }
    ::SelectObject(canvas, previous);
    ::DeleteObject(brush);
    ::DeleteObject(bitmap);
    ::DeleteDC(canvas);
    ::ReleaseDC(nullptr, screen);
    return static_cast<double>(apart) / (size * size);
}

TEST_F(FirstMenu, TheRootIsTarvixWithTheDllsIconAndOpensSubcommands) {
    EXPECT_EQ(Title(root.Get()), L"Tarvix");
    EXPECT_EQ(Flags(root.Get()), static_cast<EXPCMDFLAGS>(ECF_HASSUBCOMMANDS));
    EXPECT_EQ(NameText(root.Get()), L"{53544206-71C7-4735-8D8B-318376EABEC6}");
    EXPECT_EQ(root.Get()->Invoke(nullptr, nullptr), E_NOTIMPL);

    const std::wstring icon =
        Answered([&](LPWSTR* location) { return root.Get()->GetIcon(nullptr, location); });
    wchar_t dllPath[MAX_PATH] = {};
    ::GetModuleFileNameW(dll.Module(), dllPath, MAX_PATH);
    EXPECT_EQ(icon, std::wstring(dllPath) + L",-1") << "the DLL's path, then its icon's identifier";

    // A real icon: drawn at each size the shell asks for, from 16 to 256 pixels, and
    // standing apart from light and dark backgrounds alike.
    HRSRC group = ::FindResourceW(dll.Module(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));
    ASSERT_NE(group, nullptr);
    const auto* directory =
        static_cast<const BYTE*>(::LockResource(::LoadResource(dll.Module(), group)));
    std::set<int> sizes;
    for (int entry = 0; entry < *reinterpret_cast<const WORD*>(directory + 4); ++entry) {
        const int width = directory[6 + 14 * entry];
        sizes.insert(width == 0 ? 256 : width);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 20, 24, 32, 40, 48, 64, 256}));
    for (int size : {16, 32, 256}) {
        auto image = static_cast<HICON>(
            ::LoadImageW(dll.Module(), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
        ASSERT_NE(image, nullptr) << size;
        EXPECT_GT(ShareApartFrom(image, size, RGB(255, 255, 255)), 0.5) << size;
        EXPECT_GT(ShareApartFrom(image, size, RGB(32, 32, 32)), 0.5) << size;
        ::DestroyIcon(image);
    }
}

// The classic menu's entries, from a real menu: "Copy as...", "Move as...", then the
// submenu's ten; with their help texts.
std::vector<std::pair<std::wstring, std::wstring>> ClassicEntries(IContextMenu* menu) {
    HMENU shellMenu = ::CreatePopupMenu();
    menu->QueryContextMenu(shellMenu, 0, 1, 0x7FFF, CMF_NORMAL);
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    auto add = [&](HMENU from, int position) {
        wchar_t text[128] = {};
        ::GetMenuStringW(from, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
        wchar_t help[128] = {};
        menu->GetCommandString(::GetMenuItemID(from, position) - 1, GCS_HELPTEXTW, nullptr,
                               reinterpret_cast<char*>(help), 128);
        entries.emplace_back(text, help);
    };
    add(shellMenu, 2);
    add(shellMenu, 3);
    HMENU submenu = ::GetSubMenu(shellMenu, 1);
    for (int position = 0; position < ::GetMenuItemCount(submenu); ++position) {
        add(submenu, position);
    }
    ::DestroyMenu(shellMenu);
    return entries;
}

TEST_F(FirstMenu, SubcommandsAreTheClassicEntriesFlattenedWithStableNames) {
    IContextMenu* classic = dll.NewMenu();
    ASSERT_NE(classic, nullptr);
    std::vector<std::pair<std::wstring, std::wstring>> expected = ClassicEntries(classic);
    classic->Release();
    ASSERT_EQ(expected.size(), 12u);
    expected.insert(expected.begin() + 2, {L"", L""}); // the separator

    // Explorer may keep these: they never change.
    const wchar_t* const names[] = {
        L"{D96516B1-F605-4A63-A59C-4CBCEA26CB95}", L"{19CA97D6-F79A-4026-9D12-079E0B780D1B}",
        L"{3D50A4B0-F288-4A00-AC5F-D5449503A273}", L"{FD26D0E3-7DD4-4CBB-866B-DC1DB134CB31}",
        L"{DA141E39-B7B5-4AC7-BE88-8E61B088D830}", L"{DAADB4FC-C003-48E3-AC03-CD97FD5E61C5}",
        L"{6855BF34-4BFE-472C-B283-9C5208A295E3}", L"{D52B8D1B-E010-4EE6-B9E4-9DE9A926C0CA}",
        L"{EDEBBA88-9A96-4AD6-A8B3-672D5877AD18}", L"{CC3FBEF8-A01E-4BAC-A628-E7C117B6C685}",
        L"{AC5E65DA-5DFA-4410-AACA-CE0AEB989FDD}", L"{B4F0D5A6-A509-48D1-AE22-EEC9B64E846B}",
        L"{7B34C6AB-3D3A-4546-B283-5D5173EFFEB4}"};
    const std::vector<ComRef<IExplorerCommand>> commands = Subcommands(root.Get());
    ASSERT_EQ(commands.size(), expected.size());
    std::set<std::wstring> unique;
    for (std::size_t position = 0; position < commands.size(); ++position) {
        IExplorerCommand* command = commands[position].Get();
        SCOPED_TRACE(position);
        EXPECT_EQ(Title(command), expected[position].first);
        EXPECT_EQ(ToolTip(command), expected[position].second);
        EXPECT_EQ(NameText(command), names[position]);
        unique.insert(NameText(command));
        EXPECT_EQ(Flags(command),
                  static_cast<EXPCMDFLAGS>(position == 2 ? ECF_ISSEPARATOR : ECF_DEFAULT));
        EXPCMDSTATE state = ECS_HIDDEN;
        EXPECT_EQ(command->GetState(nullptr, FALSE, &state), S_OK);
        EXPECT_EQ(state, ECS_ENABLED) << "the root decides for the selection";
        IEnumExplorerCommand* none = nullptr;
        EXPECT_EQ(command->EnumSubCommands(&none), E_NOTIMPL);
        EXPECT_EQ(none, nullptr);
    }
    unique.insert(NameText(root.Get()));
    EXPECT_EQ(unique.size(), commands.size() + 1);
}

TEST_F(FirstMenu, TheEnumeratorStepsSkipsRewindsAndCopies) {
    ComRef<IEnumExplorerCommand> commands;
    ASSERT_EQ(root.Get()->EnumSubCommands(commands.Receive()), S_OK);
    IExplorerCommand* taken[20] = {};
    ULONG fetched = 99;
    EXPECT_EQ(commands.Get()->Next(2, taken, &fetched), S_OK);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(Title(taken[1]), L"Move as...");
    EXPECT_EQ(commands.Get()->Skip(1), S_OK) << "over the separator";
    ComRef<IEnumExplorerCommand> copy;
    ASSERT_EQ(commands.Get()->Clone(copy.Receive()), S_OK);
    EXPECT_EQ(commands.Get()->Next(20, taken + 2, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 10u);
    EXPECT_EQ(Title(taken[2]), L"Rename series...");
    EXPECT_EQ(Title(taken[11]), L"Help");
    EXPECT_EQ(commands.Get()->Next(1, taken + 12, nullptr), S_FALSE) << "at the end";
    EXPECT_EQ(commands.Get()->Skip(1), S_FALSE);
    ComRef<IExplorerCommand> again;
    ASSERT_EQ(copy.Get()->Next(1, again.Receive(), nullptr), S_OK) << "the copy kept its place";
    EXPECT_EQ(Title(again.Get()), L"Rename series...");
    EXPECT_EQ(commands.Get()->Reset(), S_OK);
    ASSERT_EQ(commands.Get()->Next(1, again.Receive(), nullptr), S_OK);
    EXPECT_EQ(Title(again.Get()), L"Copy as...");
    EXPECT_EQ(commands.Get()->Next(2, taken, nullptr), E_POINTER) << "a count needs its answer";
    for (IExplorerCommand* command : taken) {
        if (command != nullptr) {
            command->Release();
        }
    }
}

TEST_F(FirstMenu, ObjectsOfBothClassesKeepTheDllLoaded) {
    ComRef<IEnumExplorerCommand> commands;
    ASSERT_EQ(root.Get()->EnumSubCommands(commands.Receive()), S_OK);
    ComRef<IExplorerCommand> leaf;
    ASSERT_EQ(commands.Get()->Next(1, leaf.Receive(), nullptr), S_OK);
    root.Reset();
    EXPECT_EQ(dll.CanUnloadNow(), S_FALSE) << "a subcommand and the enumerator live";
    commands.Reset();
    EXPECT_EQ(dll.CanUnloadNow(), S_FALSE) << "a subcommand lives";
    leaf.Reset();
    EXPECT_EQ(dll.CanUnloadNow(), S_OK);

    IUnknown* object = nullptr;
    ComRef<IExplorerCommand> command(dll.NewFirstMenu());
    EXPECT_EQ(command.Get()->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&object)),
              S_OK);
    object->Release();
    EXPECT_EQ(command.Get()->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&object)),
              E_NOINTERFACE);
    command.Reset();
    IClassFactory* factory = nullptr;
    ASSERT_EQ(dll.GetClassObject(kTarvixCommandClsid, IID_IClassFactory,
                                 reinterpret_cast<void**>(&factory)),
              S_OK);
    ComRef<IUnknown> outer(NewSite(nullptr));
    EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IUnknown, reinterpret_cast<void**>(&object)),
              CLASS_E_NOAGGREGATION);
    factory->Release();
    EXPECT_EQ(dll.CanUnloadNow(), S_OK);
}

TEST_F(FirstMenu, TheSiteIsKeptUntilItIsTakenAway) {
    ComRef<IObjectWithSite> withSite;
    ASSERT_EQ(root.Get()->QueryInterface(IID_IObjectWithSite, ReceiveAs(withSite)), S_OK);
    ComRef<IUnknown> site(NewSite(::GetDesktopWindow()));
    IUnknown* given = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(withSite.Get()->GetSite(IID_IUnknown, reinterpret_cast<void**>(&given)), E_FAIL);
    EXPECT_EQ(given, nullptr);
    EXPECT_EQ(withSite.Get()->SetSite(site.Get()), S_OK);
    IOleWindow* window = nullptr;
    ASSERT_EQ(withSite.Get()->GetSite(IID_IOleWindow, reinterpret_cast<void**>(&window)), S_OK);
    window->Release();
    EXPECT_EQ(withSite.Get()->SetSite(nullptr), S_OK);
    EXPECT_EQ(withSite.Get()->GetSite(IID_IUnknown, reinterpret_cast<void**>(&given)), E_FAIL);
}

// A root from the test program's copy of the code, whose busy counter the test can raise.
ComRef<IExplorerCommand> CoreRoot() {
    ComRef<IExplorerCommand> command;
    FindFactory(CLSID_TarvixCommand)
        ->CreateInstance(nullptr, IID_IExplorerCommand, ReceiveAs(command));
    return command;
}

EXPCMDSTATE StateOf(IShellItemArray* items, BOOL okToBeSlow, HRESULT expected = S_OK) {
    EXPCMDSTATE state = static_cast<EXPCMDSTATE>(0x55);
    EXPECT_EQ(CoreRoot().Get()->GetState(items, okToBeSlow, &state), expected);
    return state;
}

PIDLIST_ABSOLUTE ThisPc() {
    PIDLIST_ABSOLUTE list = nullptr;
    ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &list);
    return list;
}

TEST(FirstMenuState, ShownForFileSystemItemsOnlyNeverFromTheDiskNorWhileBusy) {
    TempFolder folder;
    WriteTextFile(folder / "a.txt", "a");
    MakeFolder(folder / "sub");
    TaskIdList thisPc(ThisPc());
    ComRef<IShellItemArray> files(tools::ShellItemArray({folder / "a.txt", folder / "sub"}));
    ComRef<IShellItemArray> mixed(
        tools::ShellItemArray({folder / "a.txt"}, nullptr, {thisPc.Get()}));
    ComRef<IShellItemArray> virtualOnly(tools::ShellItemArray({}, nullptr, {thisPc.Get()}));
    ComRef<IShellItemArray> own(OwnItemArray(std::vector<std::wstring>{folder / "a.txt"}));
    ComRef<IShellItemArray> ownMixed(
        OwnItemArray(std::vector<OwnItem>{{folder / "a.txt", {}}, {{}, L"Phone"}}));
    ASSERT_TRUE(files && mixed && virtualOnly);

    for (BOOL slow : {FALSE, TRUE}) {
        SCOPED_TRACE(slow);
        EXPECT_EQ(StateOf(files.Get(), slow), ECS_ENABLED);
        EXPECT_EQ(StateOf(mixed.Get(), slow), ECS_HIDDEN);
        EXPECT_EQ(StateOf(virtualOnly.Get(), slow), ECS_HIDDEN);
        EXPECT_EQ(StateOf(nullptr, slow), ECS_HIDDEN);
        RaiseBusy();
        EXPECT_EQ(StateOf(files.Get(), slow), ECS_HIDDEN) << "while a command runs";
        EXPECT_EQ(SubcommandFor(CoreRoot().Get(), 7).Get()->Invoke(files.Get(), nullptr),
                  E_INVALIDARG)
            << "no command starts inside another";
        LowerBusy();
    }
    EXPECT_EQ(SubcommandFor(CoreRoot().Get(), 7).Get()->Invoke(nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(Snapshot(folder.Path()), (Map{{"a.txt", "a"}, {"sub", "<dir>"}}));
    // Items the shell did not make can only tell for themselves, which may be slow.
    StateOf(own.Get(), FALSE, E_PENDING);
    StateOf(ownMixed.Get(), FALSE, E_PENDING);
    EXPECT_EQ(StateOf(own.Get(), TRUE), ECS_ENABLED);
    EXPECT_EQ(StateOf(ownMixed.Get(), TRUE), ECS_HIDDEN);

    // Gone from the disk meanwhile: the state is still what the shell knew.
    RemoveTree(folder / "sub");
    ASSERT_TRUE(::DeleteFileW((folder / "a.txt").c_str()));
    EXPECT_EQ(StateOf(files.Get(), FALSE), ECS_ENABLED);
}

// The paths the commands get are each item's own SIGDN_FILESYSPATH, in array order, however
// the items' folders alternate; an item without one is named instead.
TEST(ItemIntake, EveryItemsFileSystemPathInArrayOrder) {
    TempFolder folder;
    const std::string names[] = {"a.txt", "\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac.txt",
                                 "Sub", "Party \U0001F389.txt"};
    for (const std::string& name : names) {
        name == "Sub" ? MakeFolder(folder / name) : WriteTextFile(folder / name, name);
    }
    MakeFolder(folder / "Other");
    WriteTextFile(folder / "Other\\b.txt", "b");
    TaskIdList other(::ILCreateFromPathW((folder / "Other\\b.txt").c_str()));
    TaskIdList again(::ILCreateFromPathW((folder / "a.txt").c_str()));
    TaskIdList thisPc(ThisPc());
    ComRef<IShellItemArray> items(
        tools::ShellItemArray({folder / names[0], folder / names[1], folder / names[2],
                               folder / names[3], folder / names[0]},
                              nullptr, {other.Get(), thisPc.Get(), again.Get()}));
    ASSERT_TRUE(items);

    std::vector<std::wstring> expected;
    DWORD count = 0;
    items.Get()->GetCount(&count);
    ASSERT_EQ(count, 8u);
    for (DWORD index = 0; index < count; ++index) {
        ComRef<IShellItem> item;
        items.Get()->GetItemAt(index, item.Receive());
        const std::wstring path = Answered(
            [&](LPWSTR* text) { return item.Get()->GetDisplayName(SIGDN_FILESYSPATH, text); });
        if (!path.empty()) {
            expected.push_back(path);
        }
    }
    ASSERT_EQ(expected.size(), 7u);
    ItemSelection taken;
    ASSERT_EQ(ReadItemSelection(items.Get(), taken), S_OK);
    EXPECT_EQ(taken.paths.ToVector(), expected);
    EXPECT_EQ(taken.withoutPath.size(), 1u) << "This PC";
}

// Invoke of "NEW NAME.NEW EXTENSION" on a file and This PC, answering the question for the
// item without a path; the box is owned by the site's window.
class ItemWithoutPath : public ::testing::Test {
  protected:
    Map Run(HWND siteWindow, int answer) {
        WriteTextFile(folder / "keep.txt", "k");
        TaskIdList thisPc(ThisPc());
        ComRef<IShellItemArray> items(
            tools::ShellItemArray({folder / "keep.txt"}, nullptr, {thisPc.Get()}));
        WindowRobot robot;
        robot.Then("Error", [&](HWND box) {
            text = MessageBoxText(box);
            owner = ::GetWindow(box, GW_OWNER);
            PressButton(box, answer);
        });
        robot.Start();
        EXPECT_EQ(InvokeFromFirstMenu(root.Get(), 7, items.Get(), siteWindow), S_OK);
        ExpectOnlyExpectedWindows(robot.Finish());
        EXPECT_TRUE(robot.AllStepsMet());
        return Snapshot(folder.Path());
    }
    ExtensionDll dll;
    ComRef<IExplorerCommand> root{dll.NewFirstMenu()};
    TempFolder folder;
    std::string text;
    HWND owner = nullptr;
};

TEST_F(ItemWithoutPath, YesGoesOnWithTheOthersInTheSitesWindow) {
    HWND shell = ::CreateWindowA("STATIC", "shell", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    EXPECT_EQ(Run(shell, IDYES), (Map{{"KEEP.TXT", "k"}}));
    ::DestroyWindow(shell);
    // As Wine's shell names This PC; Windows names it "This PC".
    EXPECT_TRUE(text == "Object \x84My Computer\x94 does not exists.\r\n\r\nProceed?" ||
                text == "Object \x84This PC\x94 does not exists.\r\n\r\nProceed?")
        << text;
    EXPECT_EQ(owner, shell);
}

TEST_F(ItemWithoutPath, NoCallsTheCommandOffAndASiteWithoutWindowOwnsNothing) {
    EXPECT_EQ(Run(nullptr, IDNO), (Map{{"keep.txt", "k"}}));
    EXPECT_EQ(owner, nullptr);
}

} // namespace
} // namespace tarvix::test
