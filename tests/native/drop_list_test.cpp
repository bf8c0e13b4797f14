#include "shell/DropList.h"
#include "shell/Selection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>

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

// A shell ID list array: the count, count + 1 offsets, then the lists at those offsets.
std::vector<unsigned char> IdListArrayBlock(const std::vector<std::vector<unsigned char>>& lists) {
    std::vector<unsigned char> block(4 + 4 * lists.size(), 0);
    const auto put = [&](std::size_t at, std::size_t value) {
        const auto word = static_cast<std::uint32_t>(value);
        std::memcpy(block.data() + at, &word, sizeof(word));
    };
    put(0, lists.size() - 1);
    for (std::size_t index = 0; index < lists.size(); ++index) {
        put(4 + 4 * index, block.size());
        block.insert(block.end(), lists[index].begin(), lists[index].end());
    }
    return block;
}

// Items of the given sizes (each counting its own two size bytes), then the terminating 0.
std::vector<unsigned char> IdList(const std::vector<unsigned char>& itemSizes) {
    std::vector<unsigned char> list;
    for (unsigned char itemSize : itemSizes) {
        list.push_back(itemSize);
        list.push_back(0);
        list.insert(list.end(), itemSize - 2, 'x');
    }
    list.insert(list.end(), 2, 0);
    return list;
}

TEST(IdListArray, FindsTheParentAndEachObjectsList) {
    const auto block = IdListArrayBlock({IdList({20}), IdList({2, 30}), IdList({})});
    const auto lists = ParseIdListArray(block.data(), block.size());
    ASSERT_TRUE(lists.has_value());
    EXPECT_EQ(lists->parent, 16u);
    EXPECT_EQ(lists->children, (std::vector<std::size_t>{16 + 22, 16 + 22 + 34}));
    const auto desktopOnly = IdListArrayBlock({IdList({})});
    ASSERT_TRUE(ParseIdListArray(desktopOnly.data(), desktopOnly.size()).has_value());
    EXPECT_TRUE(ParseIdListArray(desktopOnly.data(), desktopOnly.size())->children.empty());
}

TEST(IdListArray, RefusesBlocksThatDoNotHoldTheirLists) {
    const auto block = IdListArrayBlock({IdList({20}), IdList({12, 30})});
    for (std::size_t cut = 0; cut < block.size(); ++cut) {
        EXPECT_FALSE(ParseIdListArray(block.data(), cut).has_value()) << "truncated to " << cut;
    }
    auto huge = block;
    const std::uint32_t count = 0x40000000;
    std::memcpy(huge.data(), &count, sizeof(count));
    EXPECT_FALSE(ParseIdListArray(huge.data(), huge.size()).has_value());
    auto outside = block;
    const std::uint32_t past = static_cast<std::uint32_t>(block.size() - 1);
    std::memcpy(outside.data() + 8, &past, sizeof(past));
    EXPECT_FALSE(ParseIdListArray(outside.data(), outside.size()).has_value());
    const auto tooSmallAnItem = IdListArrayBlock({IdList({}), {1, 0, 0, 0}});
    EXPECT_FALSE(ParseIdListArray(tooSmallAnItem.data(), tooSmallAnItem.size()).has_value());
    EXPECT_FALSE(ParseIdListArray(nullptr, 0).has_value());
}

// A file system as the lookups see it: each folder's objects, short name -> long name. Every
// question is counted.
struct FakeShortNames {
    std::map<std::wstring, std::unordered_map<std::wstring, std::wstring>> folders;
    std::vector<std::wstring> asked;
    std::vector<std::wstring> listed;

    ShortNameLookup Lookup() {
        return {[this](const std::wstring& folder,
                       const std::wstring& name) -> std::optional<std::wstring> {
                    asked.push_back(folder + name);
                    const auto& names = folders[folder];
                    const auto found = names.find(name);
                    return found == names.end() ? std::nullopt
                                                : std::optional<std::wstring>(found->second);
                },
                [this](const std::wstring& folder) {
                    listed.push_back(folder);
                    return folders[folder];
                }};
    }
};

// Only paths that hold '~' are looked at, and in them only the names that hold one, each once
// per folder: the first short name of a folder alone, the others from one listing. A name no
// object has keeps its spelling.
TEST(LongNames, ShortNamesAreLengthenedNameByNameFolderByFolder) {
    FakeShortNames disk;
    disk.folders[L"C:\\"] = {{L"LONGFO~1", L"Long folder"}, {L"PROGRA~1", L"Program Files"}};
    disk.folders[L"C:\\Long folder\\"] = {{L"QUAR~1.XLS", L"Quarterly 1.xlsx"},
                                          {L"QUAR~2.XLS", L"Quarterly 2.xlsx"},
                                          {L"QUAR~3.XLS", L"Quarterly 3.xlsx"}};
    disk.folders[L"\\\\server\\share\\"] = {{L"SUMMER~1", L"Summer 2026"}};
    std::vector<std::wstring> paths = {L"C:\\Work\\a.txt",
                                       L"C:\\LONGFO~1\\QUAR~1.XLS",
                                       L"C:\\LONGFO~1\\QUAR~2.XLS",
                                       L"C:\\LONGFO~1\\plain.txt",
                                       L"C:\\LONGFO~1\\GONE~1.TXT",
                                       L"C:\\LONGFO~1\\QUAR~3.XLS",
                                       L"C:\\PROGRA~1\\Sub",
                                       L"C:\\Work\\gone~1.txt",
                                       L"\\\\server\\share\\SUMMER~1\\x.jpg"};
    LengthenShortNames(paths, disk.Lookup());
    EXPECT_EQ(paths, (std::vector<std::wstring>{
                         L"C:\\Work\\a.txt", L"C:\\Long folder\\Quarterly 1.xlsx",
                         L"C:\\Long folder\\Quarterly 2.xlsx", L"C:\\Long folder\\plain.txt",
                         L"C:\\Long folder\\GONE~1.TXT", L"C:\\Long folder\\Quarterly 3.xlsx",
                         L"C:\\Program Files\\Sub", L"C:\\Work\\gone~1.txt",
                         L"\\\\server\\share\\Summer 2026\\x.jpg"}));
    EXPECT_EQ(disk.asked,
              (std::vector<std::wstring>{L"C:\\LONGFO~1", L"C:\\Long folder\\QUAR~1.XLS",
                                         L"C:\\Work\\gone~1.txt", L"\\\\server\\share\\SUMMER~1"}));
    EXPECT_EQ(disk.listed, (std::vector<std::wstring>{L"C:\\Long folder\\", L"C:\\"}));
}

// The selection is lengthened when a command first starts on it, once; a new selection is
// lengthened anew.
TEST(LongNames, ASelectionIsLengthenedOnceWhenACommandStarts) {
    FakeShortNames disk;
    disk.folders[L"C:\\Work\\"] = {{L"SHORT~1.TXT", L"Short name.txt"}};
    auto replace = [](Selection& selection, const std::vector<std::wstring>& paths) {
        PackedNames names;
        for (const std::wstring& path : paths) {
            names.Buffer() += path;
            names.EndName();
        }
        selection.Replace(std::move(names));
    };
    Selection selection;
    replace(selection, {L"C:\\Work\\a.txt", L"C:\\Work\\SHORT~1.TXT"});
    EXPECT_EQ(selection.Paths()[1], L"C:\\Work\\SHORT~1.TXT") << "not while the menu is built";
    EXPECT_TRUE(disk.asked.empty());
    const std::vector<std::wstring> expected = {L"C:\\Work\\a.txt", L"C:\\Work\\Short name.txt"};
    EXPECT_EQ(selection.PathsForCommand(disk.Lookup()), expected);
    EXPECT_EQ(selection.PathsForCommand(disk.Lookup()), expected);
    EXPECT_EQ(disk.asked.size(), 1u) << "a second command on the same selection asks no more";
    replace(selection, {L"C:\\Work\\SHORT~1.TXT"});
    EXPECT_EQ(selection.PathsForCommand(disk.Lookup()),
              std::vector<std::wstring>{L"C:\\Work\\Short name.txt"});
    EXPECT_EQ(disk.asked.size(), 2u);
}

} // namespace
} // namespace tarvix
