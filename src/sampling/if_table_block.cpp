#include "sampling/if_table_block.h"

#include <algorithm>
#include <cstdint>

#include "runtime/utf8.h"

namespace quorell {

namespace {

// Offsets of the fields within one 860-byte row.
constexpr std::size_t kName = 0;
constexpr std::size_t kIndex = 512;
constexpr std::size_t kType = 516;
constexpr std::size_t kMtu = 520;
constexpr std::size_t kSpeed = 524;
constexpr std::size_t kPhysAddrLen = 528;
constexpr std::size_t kPhysAddr = 532;
constexpr std::size_t kAdminStatus = 540;
constexpr std::size_t kOperStatus = 544;
constexpr std::size_t kLastChange = 548;
constexpr std::size_t kInOctets = 552;
constexpr std::size_t kInUcastPkts = 556;
constexpr std::size_t kInNUcastPkts = 560;
constexpr std::size_t kInDiscards = 564;
constexpr std::size_t kInErrors = 568;
constexpr std::size_t kInUnknownProtos = 572;
constexpr std::size_t kOutOctets = 576;
constexpr std::size_t kOutUcastPkts = 580;
constexpr std::size_t kOutNUcastPkts = 584;
constexpr std::size_t kOutDiscards = 588;
constexpr std::size_t kOutErrors = 592;
constexpr std::size_t kOutQLen = 596;
constexpr std::size_t kDescrLen = 600;
constexpr std::size_t kDescr = 604;

constexpr std::size_t kCountBytes = 4;
constexpr std::int32_t kOperStatusConnected = 4;

// The UTF-16LE name field up to its first NUL, as UTF-8; a lone surrogate becomes U+FFFD.
std::string NameFromField(const ByteBuffer& field) {
    std::string name;
    for (std::size_t at = 0; at + 1 < field.size(); at += 2) {
        char32_t unit = static_cast<char32_t>(field[at] | (field[at + 1] << 8));
        if (unit == 0) {
            break;
        }
        if (unit >= 0xD800 && unit < 0xDC00 && at + 3 < field.size()) {
            const char32_t low = static_cast<char32_t>(field[at + 2] | (field[at + 3] << 8));
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            }
        }
        AppendUtf8(name, unit >= 0xD800 && unit < 0xE000 ? char32_t{0xFFFD} : unit);
    }
    return name;
}

// Reads one row starting at `rowStart` of the whole block; bytes past its end are zero.
class RowReader {
public:
    RowReader(const ByteBuffer& block, std::size_t rowStart) : block_(block), rowStart_(rowStart) {}

    std::int32_t Int32(std::size_t offset) const { return ReadInt32LE(block_, rowStart_ + offset); }
    // The platform's counters are unsigned 32-bit values.
    std::uint64_t Unsigned32(std::size_t offset) const { return static_cast<std::uint32_t>(Int32(offset)); }

    ByteBuffer Bytes(std::size_t offset, std::size_t length) const {
        ByteBuffer bytes(length);
        const std::size_t begin = rowStart_ + offset;
        for (std::size_t i = 0; i < length && begin + i < block_.size(); ++i) {
            bytes[i] = block_[begin + i];
        }
        return bytes;
    }

private:
    const ByteBuffer& block_;
    std::size_t rowStart_;
};

InterfaceRow ReadRow(const RowReader& in) {
    InterfaceRow row;
    row.wszName = in.Bytes(kName, kInterfaceNameBytes);
    row.dwIndex = in.Int32(kIndex);
    row.dwType = in.Int32(kType);
    row.dwMtu = in.Int32(kMtu);
    row.dwSpeed = in.Unsigned32(kSpeed);
    row.dwPhysAddrLen = in.Int32(kPhysAddrLen);
    row.bPhysAddr = in.Bytes(kPhysAddr, kPhysicalAddressBytes);
    row.dwAdminStatus = in.Int32(kAdminStatus);
    row.dwOperStatus = in.Int32(kOperStatus);
    row.dwLastChange = in.Int32(kLastChange);
    row.dwInOctets = in.Unsigned32(kInOctets);
    row.dwInUcastPkts = in.Unsigned32(kInUcastPkts);
    row.dwInNUcastPkts = in.Unsigned32(kInNUcastPkts);
    row.dwInDiscards = in.Unsigned32(kInDiscards);
    row.dwInErrors = in.Unsigned32(kInErrors);
    row.dwInUnknownProtos = in.Unsigned32(kInUnknownProtos);
    row.dwOutOctets = in.Unsigned32(kOutOctets);
    row.dwOutUcastPkts = in.Unsigned32(kOutUcastPkts);
    row.dwOutNUcastPkts = in.Unsigned32(kOutNUcastPkts);
    row.dwOutDiscards = in.Unsigned32(kOutDiscards);
    row.dwOutErrors = in.Unsigned32(kOutErrors);
    row.dwOutQLen = in.Int32(kOutQLen);
    row.dwDescrLen = in.Int32(kDescrLen);
    row.bDescr = in.Bytes(kDescr, kInterfaceDescriptionBytes);
    return row;
}

}  // namespace

std::vector<InterfaceRow> ParseIfTableBlock(const ByteBuffer& block) {
    const std::int32_t count = ReadInt32LE(block, 0);
    if (count <= 0 || block.size() <= kCountBytes) {
        return {};
    }
    const std::size_t rowsArea = block.size() - kCountBytes;
    const std::size_t rowsBegun = (rowsArea + kIfTableRowBytes - 1) / kIfTableRowBytes;
    const std::size_t rowCount = std::min(static_cast<std::size_t>(count), rowsBegun);

    std::vector<InterfaceRow> rows;
    rows.reserve(rowCount);
    for (std::size_t i = 0; i < rowCount; ++i) {
        rows.push_back(ReadRow(RowReader(block, kCountBytes + i * kIfTableRowBytes)));
    }
    return rows;
}

NetworkInterface InterfaceFromRow(const InterfaceRow& row) {
    NetworkInterface plain;
    plain.index = row.dwIndex;
    plain.name = NameFromField(row.wszName);
    plain.up = row.dwOperStatus == kOperStatusOperational || row.dwOperStatus == kOperStatusConnected;
    plain.loopback = row.dwType == kInterfaceTypeLoopback;
    plain.receivedBytes = row.dwInOctets;
    plain.sentBytes = row.dwOutOctets;
    return plain;
}

std::vector<NetworkInterface> InterfacesFromIfTableBlock(const ByteBuffer& block) {
    std::vector<NetworkInterface> interfaces;
    for (const InterfaceRow& row : ParseIfTableBlock(block)) {
        interfaces.push_back(InterfaceFromRow(row));
    }
    return interfaces;
}

}  // namespace quorell
