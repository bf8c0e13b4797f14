#include "shell/DropList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace tarvix {
namespace {

void Narrow(const char16_t* name, std::size_t length, std::string& out) {
    for (std::size_t i = 0; i < length; ++i) {
        out += name[i] < 0x100 ? static_cast<char>(name[i]) : '?';
    }
}

std::optional<std::vector<std::string>> Parse(const unsigned char* block, std::size_t size) {
    std::optional<PackedNames> names = ParseDropList(block, size, Narrow);
    if (!names) {
        return std::nullopt;
    }
    return names->ToVector();
}

std::vector<unsigned char> Block(const std::vector<std::string>& names, bool wide) {
    std::vector<unsigned char> block(20, 0);
    block[0] = 20;
    block[16] = wide ? 1 : 0;
    for (const std::string& name : names) {
        for (char c : name) {
            block.push_back(static_cast<unsigned char>(c));
            if (wide) {
                block.push_back(0);
            }
        }
        block.insert(block.end(), wide ? 2 : 1, 0);
    }
    block.insert(block.end(), wide ? 2 : 1, 0);
    return block;
}

TEST(DropList, ReadsAnsiAndWideListsInOrder) {
    const std::vector<std::string> names = {"C:\\a.txt", "C:\\a.txt", "D:\\x y\\z",
                                            std::string(1000, 'n')};
    for (bool wide : {false, true}) {
        const auto block = Block(names, wide);
        EXPECT_EQ(Parse(block.data(), block.size()), names) << wide;
        const auto empty = Block({}, wide);
        EXPECT_EQ(Parse(empty.data(), empty.size()), std::vector<std::string>{});
    }
}

TEST(DropList, RefusesBlocksThatDoNotHoldTheirNames) {
    for (bool wide : {false, true}) {
        auto block = Block({"C:\\a.txt", "C:\\b.txt"}, wide);
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
