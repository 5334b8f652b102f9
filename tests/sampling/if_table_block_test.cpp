#include "sampling/if_table_block.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quorell {
namespace {

void Put32(ByteBuffer& block, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        block[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
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
        std::memcpy(&block[row + 532], "\x10\x20\x30\x40\x50\x60\x70\x80", 8);
        std::memcpy(&block[row + 604], "Adapter", 7);
        block[row + 859] = 0xAB;
    }
    return block;
}

TEST(IfTableBlock, EveryFieldComesFromItsOffset) {
    const auto rows = ParseIfTableBlock(NumberedBlock(2, 2));
    ASSERT_EQ(rows.size(), 2u);
    const InterfaceRow& r = rows[1];
    EXPECT_EQ(rows[0].dwIndex, 10512);
    const std::int64_t fields[] = {r.dwIndex,
                                   r.dwType,
                                   r.dwMtu,
                                   static_cast<std::int64_t>(r.dwSpeed),
                                   r.dwPhysAddrLen,
                                   r.dwAdminStatus,
                                   r.dwOperStatus,
                                   r.dwLastChange,
                                   static_cast<std::int64_t>(r.dwInOctets),
                                   static_cast<std::int64_t>(r.dwInUcastPkts),
                                   static_cast<std::int64_t>(r.dwInNUcastPkts),
                                   static_cast<std::int64_t>(r.dwInDiscards),
                                   static_cast<std::int64_t>(r.dwInErrors),
                                   static_cast<std::int64_t>(r.dwInUnknownProtos),
                                   static_cast<std::int64_t>(r.dwOutOctets),
                                   static_cast<std::int64_t>(r.dwOutUcastPkts),
                                   static_cast<std::int64_t>(r.dwOutNUcastPkts),
                                   static_cast<std::int64_t>(r.dwOutDiscards),
                                   static_cast<std::int64_t>(r.dwOutErrors),
                                   r.dwOutQLen,
                                   r.dwDescrLen};
    const std::int64_t offsets[] = {512, 516, 520, 524, 528, 540, 544, 548, 552, 556, 560,
                                    564, 568, 572, 576, 580, 584, 588, 592, 596, 600};
    for (std::size_t i = 0; i < std::size(offsets); ++i) {
        EXPECT_EQ(fields[i], 20000 + offsets[i]) << "field at " << offsets[i];
    }
    EXPECT_EQ(r.bPhysAddr, (ByteBuffer{0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80}));
    ASSERT_EQ(r.wszName.size(), 512u);
    EXPECT_EQ(r.wszName[0], 'e');
    ASSERT_EQ(r.bDescr.size(), 256u);
    EXPECT_EQ(std::string(r.bDescr.begin(), r.bDescr.begin() + 7), "Adapter");
    EXPECT_EQ(r.bDescr[255], 0xAB);
}

TEST(IfTableBlock, CountersAreUnsignedAndBytesPastTheEndReadAsZero) {
    ByteBuffer block = NumberedBlock(1, 1);
    Put32(block, 4 + 552, 0xFFFFFFFFu);
    block.resize(4 + 560);
    const auto rows = ParseIfTableBlock(block);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].dwInOctets, 4294967295u);
    EXPECT_EQ(rows[0].dwInNUcastPkts, 0u);
    EXPECT_EQ(rows[0].bDescr, ByteBuffer(256));
}

TEST(IfTableBlock, DamagedCountsMakeNoRowsBeyondTheData) {
    EXPECT_EQ(ParseIfTableBlock(NumberedBlock(0x7FFFFFFF, 2)).size(), 2u);
    EXPECT_EQ(ParseIfTableBlock(NumberedBlock(1, 2)).size(), 1u);
    EXPECT_TRUE(ParseIfTableBlock(NumberedBlock(0xFFFFFFFF, 2)).empty());  // negative
    EXPECT_TRUE(ParseIfTableBlock(NumberedBlock(5, 0)).empty());
    EXPECT_TRUE(ParseIfTableBlock(ByteBuffer{1, 0}).empty());
}

TEST(IfTableBlock, RowsBecomePlainInterfacesWithTheirNames) {
    ByteBuffer block = NumberedBlock(2, 2);
    // Row 1: "Wi-Fi 2" with a character outside the basic plane, loopback, operational.
    const char16_t name[] = u"Wi-Fi \U0001F600";
    std::memset(&block[4], 0, 512);
    std::memcpy(&block[4], name, sizeof name);
    Put32(block, 4 + 516, 24);
    Put32(block, 4 + 544, 5);
    Put32(block, 4 + 860 + 544, 2);  // row 2 disconnected
    const auto interfaces = InterfacesFromIfTableBlock(block);
    ASSERT_EQ(interfaces.size(), 2u);
    EXPECT_EQ(interfaces[0], (NetworkInterface{10512, "Wi-Fi \xF0\x9F\x98\x80", true, true, 10552, 10576}));
    EXPECT_EQ(interfaces[1].name, "e");
    EXPECT_FALSE(interfaces[1].up);
    EXPECT_FALSE(interfaces[1].loopback);
}

}  // namespace
}  // namespace quorell
