#pragma once

#include <cstddef>
#include <vector>

#include "platform/counter_ports.h"
#include "platform/interface_row.h"
#include "runtime/byte_buffer.h"

namespace quorell {

inline constexpr std::size_t kIfTableRowBytes = 860;

// The rows of the platform's interface-table block: a 4-byte little-endian count, then `count` rows of
// 860 bytes. Bytes past the end of the block read as zero; rows that would begin past the end are not
// made, so a damaged count cannot make the table huge. A negative count gives no rows.
std::vector<InterfaceRow> ParseIfTableBlock(const ByteBuffer& block);

// The block's rows as plain interfaces: the name from the UTF-16 name field, up when the row is
// connected or operational, loopback by the row's type, the 32-bit counters as they are.
std::vector<NetworkInterface> InterfacesFromIfTableBlock(const ByteBuffer& block);

// One row as a plain interface (see InterfacesFromIfTableBlock).
NetworkInterface InterfaceFromRow(const InterfaceRow& row);

}  // namespace quorell
