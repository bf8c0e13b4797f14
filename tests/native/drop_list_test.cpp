#include "shell/DropList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace tarvix {
namespace {

// The code page's conversion as the tests see it: ASCII as it is, the quotation marks of code
// page 1252 as their own characters, any other byte as U+F700 plus the byte.
void FromCodePage(const char* name, std::size_t length, std::wstring& out) {
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        out += byte == 0x84   ? L'\u201e'
               : byte == 0x94 ? L'\u201d'
               : byte < 0x80  ? wchar_t(byte)
                              : wchar_t(0xF700 + byte);
    }
}

std::optional<std::vector<std::wstring>> Parse(const unsigned char* block, std::size_t size) {
    std::optional<PackedNames> names = ParseDropList(block, size, FromCodePage);
    if (!names) {
        return std::nullopt;
    }
    return names->ToVector();
}

std::vector<unsigned char> Header(bool wide) {
    std::vector<unsigned char> block(20, 0);
    block[0] = 20;
    block[16] = wide ? 1 : 0;
    return block;
}

std::vector<unsigned char> AnsiBlock(const std::vector<std::string>& names) {
    std::vector<unsigned char> block = Header(false);
    for (const std::string& name : names) {
        block.insert(block.end(), name.begin(), name.end());
        block.push_back(0);
    }
    block.push_back(0);
    return block;
}

// Code units little-endian, as the platform lays them out.
std::vector<unsigned char> WideBlock(const std::vector<std::wstring>& names) {
    std::vector<unsigned char> block = Header(true);
    for (const std::wstring& name : names) {
        for (wchar_t unit : name) {
            block.push_back(static_cast<unsigned char>(unit & 0xFF));
            block.push_back(static_cast<unsigned char>((unit >> 8) & 0xFF));
        }
        block.insert(block.end(), 2, 0);
    }
    block.insert(block.end(), 2, 0);
    return block;
}

TEST(DropList, ReadsWideListsUnitByUnitInOrder) {
    // Units with a zero byte (U+0100, U+4E00), a surrogate pair and a lone surrogate, which a
    // name on disk may hold: all taken as they are.
    const std::wstring unusual = std::wstring(L"C:\\\u0142\u0100\u4e00") + wchar_t(0xD83D) +
                                 wchar_t(0xDE00) + L"x" + wchar_t(0xDC00) + L".txt";
    const std::vector<std::wstring> names = {L"C:\\a.txt", L"C:\\a.txt", unusual, L"D:\\x y\\z",
                                             std::wstring(1000, L'n')};
    const auto block = WideBlock(names);
    EXPECT_EQ(Parse(block.data(), block.size()), names);
    const auto empty = WideBlock({});
    EXPECT_EQ(Parse(empty.data(), empty.size()), std::vector<std::wstring>{});
}

TEST(DropList, ReadsAnsiListsThroughTheConversion) {
    const auto block =
        AnsiBlock({"C:\\a.txt", "C:\\a.txt", "D:\\\x84x y\x94\\\xff", std::string(1000, 'n')});
    const std::vector<std::wstring> names = {
        L"C:\\a.txt", L"C:\\a.txt", L"D:\\\u201ex y\u201d\\\uf7ff", std::wstring(1000, L'n')};
    EXPECT_EQ(Parse(block.data(), block.size()), names);
    const auto empty = AnsiBlock({});
    EXPECT_EQ(Parse(empty.data(), empty.size()), std::vector<std::wstring>{});
}

TEST(DropList, RefusesBlocksThatDoNotHoldTheirNames) {
    for (bool wide : {false, true}) {
        auto block =
            wide ? WideBlock({L"C:\\a.txt", L"C:\\b.txt"}) : AnsiBlock({"C:\\a.txt", "C:\\b.txt"});
        for (std::size_t cut = 0; cut < block.size(); ++cut) {
            EXPECT_FALSE(Parse(block.data(), cut).has_value()) << "truncated to " << cut;
        }
        auto outside = block;
        const std::uint32_t past = static_cast<std::uint32_t>(block.size() + 10);
        std::memcpy(outside.data(), &past, sizeof(past));
        EXPECT_FALSE(Parse(outside.data(), outside.size()).has_value());
        auto inside = block;
        const std::uint32_t header = 4;
        std::memcpy(inside.data(), &header, sizeof(header));
        EXPECT_FALSE(Parse(inside.data(), inside.size()).has_value());
    }
    EXPECT_FALSE(Parse(nullptr, 0).has_value());
}

} // namespace
} // namespace tarvix
