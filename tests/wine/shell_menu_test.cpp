// The menu block on a real menu, and the help texts.
#include "support/Extension.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

namespace tarvix::test {
namespace {

struct Item {
    std::string text;
    UINT id;
    bool separator;
    HMENU submenu;
};

Item ItemAt(HMENU menu, int position) {
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return Item{text, info.wID, (info.fType & MFT_SEPARATOR) != 0, info.hSubMenu};
}

const char* const kSubmenuTexts[] = {"Rename series...",        "Change time stamp...",
                                     "new name.new extension",  "New name.new extension",
                                     "New Name.new extension",  "NEW NAME.NEW EXTENSION",
                                     "Full names -> Clipboard", "Names only -> Clipboard",
                                     "Command prompt",          "Help"};

class MenuBlock : public ::testing::Test {
  protected:
    void SetUp() override {
        menu = dll.NewMenu();
        ASSERT_NE(menu, nullptr);
        shellMenu = ::CreatePopupMenu();
    }
    void TearDown() override {
        ::DestroyMenu(shellMenu);
        menu->Release();
    }
    ExtensionDll dll;
    IContextMenu* menu = nullptr;
    HMENU shellMenu = nullptr;
};

TEST_F(MenuBlock, LayoutBelowTheInsertionPointWithTheSubmenu) {
    ::AppendMenuA(shellMenu, MF_STRING, 1, "Open");
    ::AppendMenuA(shellMenu, MF_STRING, 2, "Properties");
    const UINT first = 100;
    EXPECT_EQ(menu->QueryContextMenu(shellMenu, 1, first, first + 5, CMF_NORMAL),
              MAKE_HRESULT(SEVERITY_SUCCESS, 0, 12))
        << "a range narrower than twelve is not consulted";
    ASSERT_EQ(::GetMenuItemCount(shellMenu), 7);
    EXPECT_EQ(ItemAt(shellMenu, 0).text, "Open");
    EXPECT_TRUE(ItemAt(shellMenu, 1).separator);
    EXPECT_EQ(ItemAt(shellMenu, 1).id, first);
    EXPECT_EQ(ItemAt(shellMenu, 2).text, "Tarvix Plus");
    EXPECT_NE(ItemAt(shellMenu, 2).submenu, nullptr);
    EXPECT_EQ(ItemAt(shellMenu, 3).text, "Copy as...");
    EXPECT_EQ(ItemAt(shellMenu, 3).id, first);
    EXPECT_EQ(ItemAt(shellMenu, 4).text, "Move as...");
    EXPECT_EQ(ItemAt(shellMenu, 4).id, first + 1);
    EXPECT_TRUE(ItemAt(shellMenu, 5).separator);
    EXPECT_EQ(ItemAt(shellMenu, 5).id, first);
    EXPECT_EQ(ItemAt(shellMenu, 6).text, "Properties");

    HMENU submenu = ItemAt(shellMenu, 2).submenu;
    ASSERT_EQ(::GetMenuItemCount(submenu), 10);
    for (int position = 0; position < 10; ++position) {
        const Item item = ItemAt(submenu, position);
        EXPECT_EQ(item.text, kSubmenuTexts[position]);
        EXPECT_EQ(item.id, first + 2 + static_cast<UINT>(position));
        EXPECT_FALSE(item.separator);
    }
}

TEST_F(MenuBlock, FlagsDecideWhetherTheBlockIsAdded) {
    struct Row {
        UINT flags;
        bool added;
    };
    for (const Row row :
         {Row{CMF_NORMAL, true}, Row{CMF_EXPLORE, true}, Row{CMF_EXPLORE | CMF_DEFAULTONLY, true},
          Row{CMF_DEFAULTONLY, false}, Row{CMF_VERBSONLY, false}, Row{CMF_NOVERBS, false},
          Row{CMF_CANRENAME, true}, Row{CMF_EXTENDEDVERBS, true}}) {
        HMENU target = ::CreatePopupMenu();
        const HRESULT result = menu->QueryContextMenu(target, 0, 1, 0x7FFF, row.flags);
        EXPECT_EQ(result, MAKE_HRESULT(SEVERITY_SUCCESS, 0, row.added ? 12 : 0)) << row.flags;
        EXPECT_EQ(::GetMenuItemCount(target), row.added ? 5 : 0) << row.flags;
        ::DestroyMenu(target);
    }
}

TEST_F(MenuBlock, HelpTextsByIndexAndRequestType) {
    const char* const expected[] = {"Copy selected objects as...",
                                    "Move selected objects as...",
                                    "Rename series selected objects...",
                                    "Change time stamp of the selected objects...",
                                    "Change case of the selected objects",
                                    "Change case of the selected objects",
                                    "Change case of the selected objects",
                                    "Change case of the selected objects",
                                    "Copy full names of the selected objects to the clipboard",
                                    "Copy names of the selected objects to the clipboard",
                                    "Open window with command prompt in this folder",
                                    "Help"};
    for (UINT index = 0; index < 12; ++index) {
        char text[128] = {};
        EXPECT_EQ(menu->GetCommandString(index, GCS_HELPTEXTA, nullptr, text, sizeof(text)), S_OK);
        EXPECT_STREQ(text, expected[index]);
        // Explorer asks for the wide text first: the same words.
        wchar_t wide[128] = {};
        EXPECT_EQ(menu->GetCommandString(index, GCS_HELPTEXTW, nullptr,
                                         reinterpret_cast<char*>(wide), 128),
                  S_OK);
        EXPECT_EQ(std::wstring(wide),
                  std::wstring(expected[index], expected[index] + std::strlen(expected[index])));
    }
    char untouched[8] = "xxxxxxx";
    for (UINT type : {GCS_HELPTEXTA, GCS_HELPTEXTW}) {
        EXPECT_EQ(menu->GetCommandString(12, type, nullptr, untouched, 4), E_INVALIDARG);
    }
    for (UINT type : {GCS_VERBA, GCS_VALIDATEA, GCS_VERBW, GCS_VALIDATEW}) {
        EXPECT_EQ(menu->GetCommandString(12, type, nullptr, untouched, sizeof(untouched)), S_OK);
        EXPECT_EQ(menu->GetCommandString(0, type, nullptr, untouched, sizeof(untouched)), S_OK);
    }
    EXPECT_STREQ(untouched, "xxxxxxx");
}

// cchMax counts characters: bytes for the ANSI text, UTF-16 units for the wide one.
template <class Char> void ExpectShortenedWithin(IContextMenu* menu, UINT type) {
    const std::string longest = "Copy full names of the selected objects to the clipboard";
    for (UINT cchMax = 0; cchMax <= 60; ++cchMax) {
        Char buffer[80];
        std::fill(std::begin(buffer), std::end(buffer), Char(0x5A));
        const HRESULT result =
            menu->GetCommandString(8, type, nullptr, reinterpret_cast<char*>(buffer), cchMax);
        for (UINT guard = cchMax; guard < std::size(buffer); ++guard) {
            ASSERT_EQ(buffer[guard], Char(0x5A)) << "cchMax " << cchMax << " unit " << guard;
        }
        if (cchMax == 0) {
            EXPECT_TRUE(FAILED(result));
            continue;
        }
        EXPECT_EQ(result, S_OK);
        const std::string expected = longest.substr(0, cchMax - 1);
        EXPECT_EQ(std::basic_string<Char>(buffer),
                  std::basic_string<Char>(expected.begin(), expected.end()))
            << cchMax;
    }
}

TEST_F(MenuBlock, HelpTextNeverWritesPastTheCallersBuffer) {
    ExpectShortenedWithin<char>(menu, GCS_HELPTEXTA);
    ExpectShortenedWithin<wchar_t>(menu, GCS_HELPTEXTW);
}

} // namespace
} // namespace tarvix::test
