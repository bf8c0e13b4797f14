// The string table and version of the built DLL, read as the platform reads them.
#include "platform/Module.h"
#include "platform/Text.h"
#include "strings/RSUnit.h"
#include "support/Extension.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvix::test {
namespace {

std::string LoadFrom(HMODULE module, UINT id) {
    char buffer[512] = {};
    const int length = ::LoadStringA(module, id, buffer, sizeof(buffer));
    return std::string(buffer, static_cast<std::size_t>(length));
}

TEST(StringTable, QuotationMarksAreAnsiBytesAndLineBreaksAreCrLf) {
    ExtensionDll dll;
    ASSERT_NE(dll.Module(), nullptr);
    EXPECT_EQ(LoadFrom(dll.Module(), IDS_OBJECT_MISSING),
              "Object \x84%s\x94 does not exists.\r\n\r\nProceed?");
    EXPECT_EQ(LoadFrom(dll.Module(), IDS_WRITE_ERROR),
              "Write error for \x84%s\x94\r\nto \x84%s\x94.");
    EXPECT_EQ(LoadFrom(dll.Module(), IDS_HELP_NOT_FOUND),
              "Help file not found.\r\n\r\nDo you want to connect to Tarvix website?");
    EXPECT_EQ(LoadFrom(dll.Module(), IDS_MENU_FIRST + 8), "Full names -> Clipboard");
    EXPECT_EQ(LoadFrom(dll.Module(), IDS_SUBMENU_CAPTION), "Tarvix Plus");
}

TEST(StringTable, WideTextsSpellTheSameBytesInTheCodePage) {
    EXPECT_EQ(LoadText(IDS_OBJECT_MISSING),
              L"Object \u201e%s\u201d does not exists.\r\n\r\nProceed?");
    int compared = 0;
    for (UINT id = 0; id < 0x10000; ++id) {
        const std::string ansi = LoadFrom(ModuleHandle(), id);
        if (!ansi.empty()) {
            EXPECT_EQ(WideToAnsi(LoadText(id)), ansi) << id;
            ++compared;
        }
    }
    EXPECT_GT(compared, 40);
}

TEST(StringTable, VersionResourceNamesTheProduct) {
    ExtensionDll dll;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(dll.Module(), path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, block.data()));
    auto value = [&](const char* name) {
        char* text = nullptr;
        UINT length = 0;
        const std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
        if (!::VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text),
                              &length)) {
            return std::string();
        }
        return std::string(text);
    };
    EXPECT_EQ(value("ProductName"), "Tarvix");
    EXPECT_EQ(value("FileDescription"), "Tarvix Context Menu Shell Extension");
    EXPECT_FALSE(value("ProductVersion").empty());
}

} // namespace
} // namespace tarvix::test
