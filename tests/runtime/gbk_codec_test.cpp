// The GBK codec of each platform against Windows' code page 936, the reference for the files: every
// two-byte cell, the private-use cells that the C library's own tables leave out, and what is refused.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/system_ini_store.h"

namespace quorell {
namespace {

using testing::SystemGbk;

// Every cell of the two-byte space (lead bytes 81-FE, trail bytes 40-7E and 80-FE), in byte order.
std::string EveryTwoByteCell() {
    std::string cells;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail != 0x7F) {
                cells += static_cast<char>(lead);
                cells += static_cast<char>(trail);
            }
        }
    }
    return cells;
}

std::uint64_t Fnv1a(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (char c : bytes) {
        hash = (hash ^ static_cast<std::uint8_t>(c)) * 0x100000001b3u;
    }
    return hash;
}

std::size_t CountUtf8Characters(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) {
        count += (static_cast<std::uint8_t>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

TEST(GbkCodec, EveryTwoByteCellReadsAsOnWindowsAndWritesBackToItsBytes) {
    const std::string cells = EveryTwoByteCell();
    const auto text = SystemGbk().GbkToUtf8(cells);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(CountUtf8Characters(*text), cells.size() / 2);
    // The fingerprint of the UTF-8 text that Windows gives for all 23940 cells.
    EXPECT_EQ(Fnv1a(*text), 0x3cd57d7763027b4bu);
    EXPECT_EQ(SystemGbk().Utf8ToGbk(*text), cells);
}

TEST(GbkCodec, UserDefinedAndEmptyCellsArePrivateUseCharacters) {
    const std::pair<std::string, std::string> cells[] = {
        {"\xAA\xA1", "\uE000"}, {"\xAF\xFE", "\uE233"}, {"\xF8\xA1", "\uE234"}, {"\xFE\xFE", "\uE4C5"},
        {"\xA1\x40", "\uE4C6"}, {"\xA7\xA0", "\uE765"}, {"\xA2\xAB", "\uE766"}, {"\xFE\x81", "\uE845"},
        {"\xFE\xA0", "\uE864"}, {"\x80", "\u20AC"},
    };
    for (const auto& [gbk, utf8] : cells) {
        EXPECT_EQ(SystemGbk().GbkToUtf8(gbk), utf8);
        EXPECT_EQ(SystemGbk().Utf8ToGbk(utf8), gbk);
    }
    EXPECT_EQ(SystemGbk().GbkToUtf8("\xB3\xCC\xD0\xF2\xFE\x81"), "程序\uE845");
}

TEST(GbkCodec, WhatNoGbkTextHoldsIsRefused) {
    for (const std::string gbk : {"\xFF", "a\x81", "\x81\x30", "\x81\x7F", "\xFE\xFF"}) {
        EXPECT_EQ(SystemGbk().GbkToUtf8(gbk), std::nullopt) << gbk;
    }
    // U+F8F5 is written by Windows as the byte FF, which it does not read back; U+E865 is past the cells.
    for (const std::string utf8 : {"\uF8F5", "\uE865", "\U0001F600", "\xC3", "\xEE\x80"}) {
        EXPECT_EQ(SystemGbk().Utf8ToGbk(utf8), std::nullopt) << utf8;
    }
}

}  // namespace
}  // namespace quorell
