#include "sampling/if_table_block.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quorell {
namespace {

void Put32(ByteBuffer& block, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        block[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A block of `count` rows where every 4-byte field from byte 512 to 603 of row r holds
// r * 10000 + its offset within the row, so a field read from the wrong place shows at once.
ByteBuffer NumberedBlock(std::uint32_t count, std::size_t rowsPresent) {
    ByteBuffer block(4 + rowsPresent * 860);
    Put32(block, 0, count);
    for (std::size_t r = 0; r < rowsPresent; ++r) {
        const std::size_t row = 4 + r * 860;
        for (std::size_t offset = 512; offset < 604; offset += 4) {
            Put32(block, row + offset, static_cast<std::uint32_t>((r + 1) * 10000 + offset));
        }
        block[row] = 'e';
        block[row + 2] = 'x';
        std::memcpy(&block[row + 532], "\x10\x20\x30\x40\x50\x60\x70\x80", 8);
        std::memcpy(&block[row + 604], "Adapter", 7);
        block[row + 859] = 0xAB;
    }
    return block;
}

TEST(IfTableBlock, EveryFieldComesFromItsOffset) {
    const auto rows = ParseIfTableBlock(NumberedBlock(2, 2));
    ASSERT_EQ(rows.size(), 2u);
    const InterfaceRow& row = rows[1];
    EXPECT_EQ(row.dwIndex, 20512);
    EXPECT_EQ(row.dwType, 20516);
    EXPECT_EQ(row.dwMtu, 20520);
    EXPECT_EQ(row.dwSpeed, 20524u);
    EXPECT_EQ(row.dwPhysAddrLen, 20528);
    EXPECT_EQ(row.bPhysAddr, (ByteBuffer{0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80}));
    EXPECT_EQ(row.dwAdminStatus, 20540);
    EXPECT_EQ(row.dwOperStatus, 20544);
    EXPECT_EQ(row.dwLastChange, 20548);
    EXPECT_EQ(row.dwInOctets, 20552u);
    EXPECT_EQ(row.dwInUcastPkts, 20556u);
    EXPECT_EQ(row.dwInNUcastPkts, 20560u);
    EXPECT_EQ(row.dwInDiscards, 20564u);
    EXPECT_EQ(row.dwInErrors, 20568u);
    EXPECT_EQ(row.dwInUnknownProtos, 20572u);
    EXPECT_EQ(row.dwOutOctets, 20576u);
    EXPECT_EQ(row.dwOutUcastPkts, 20580u);
    EXPECT_EQ(row.dwOutNUcastPkts, 20584u);
    EXPECT_EQ(row.dwOutDiscards, 20588u);
    EXPECT_EQ(row.dwOutErrors, 20592u);
    EXPECT_EQ(row.dwOutQLen, 20596);
    EXPECT_EQ(row.dwDescrLen, 20600);
    ASSERT_EQ(row.wszName.size(), 512u);
    EXPECT_EQ(row.wszName[0], 'e');
    EXPECT_EQ(row.wszName[2], 'x');
    ASSERT_EQ(row.bDescr.size(), 256u);
    EXPECT_EQ(std::string(row.bDescr.begin(), row.bDescr.begin() + 7), "Adapter");
    EXPECT_EQ(row.bDescr[255], 0xAB);
    EXPECT_EQ(rows[0].dwIndex, 10512);
}

TEST(IfTableBlock, CountersAreUnsigned) {
    ByteBuffer block = NumberedBlock(1, 1);
    Put32(block, 4 + 552, 0xFFFFFFFFu);
    Put32(block, 4 + 576, 0x80000000u);
    const auto rows = ParseIfTableBlock(block);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].dwInOctets, 4294967295u);
    EXPECT_EQ(rows[0].dwOutOctets, 2147483648u);
}

TEST(IfTableBlock, BytesPastTheEndReadAsZero) {
    ByteBuffer block = NumberedBlock(1, 1);
    block.resize(4 + 560);  // cut inside dwInOctets' neighbour
    const auto rows = ParseIfTableBlock(block);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].dwInOctets, 10552u);
    EXPECT_EQ(rows[0].dwInNUcastPkts, 0u);
    EXPECT_EQ(rows[0].dwOutOctets, 0u);
    EXPECT_EQ(rows[0].bDescr, ByteBuffer(256));
}

TEST(IfTableBlock, DamagedCountsMakeNoRowsBeyondTheData) {
    EXPECT_EQ(ParseIfTableBlock(NumberedBlock(0x7FFFFFFF, 2)).size(), 2u);
    EXPECT_EQ(ParseIfTableBlock(NumberedBlock(3, 2)).size(), 2u);
    EXPECT_EQ(ParseIfTableBlock(NumberedBlock(1, 2)).size(), 1u);
    EXPECT_TRUE(ParseIfTableBlock(NumberedBlock(0xFFFFFFFF, 2)).empty());  // negative
    EXPECT_TRUE(ParseIfTableBlock(NumberedBlock(5, 0)).empty());
    EXPECT_TRUE(ParseIfTableBlock(ByteBuffer{}).empty());
    EXPECT_TRUE(ParseIfTableBlock(ByteBuffer{1, 0}).empty());
}

}  // namespace
}  // namespace quorell
