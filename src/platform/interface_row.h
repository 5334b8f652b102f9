#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/byte_buffer.h"

namespace quorell {

inline constexpr std::size_t kInterfaceNameBytes = 512;  // 256 UTF-16 code units
inline constexpr std::size_t kPhysicalAddressBytes = 8;
inline constexpr std::size_t kInterfaceDescriptionBytes = 256;

// Windows interface types that the rows use on every platform.
inline constexpr std::int32_t kInterfaceTypeOther = 1;
inline constexpr std::int32_t kInterfaceTypeEthernet = 6;
inline constexpr std::int32_t kInterfaceTypePpp = 23;
inline constexpr std::int32_t kInterfaceTypeLoopback = 24;
inline constexpr std::int32_t kInterfaceTypeWireless = 71;
inline constexpr std::int32_t kInterfaceTypeTunnel = 131;

// Administrative and operational states of a row.
inline constexpr std::int32_t kAdminStatusUp = 1;
inline constexpr std::int32_t kAdminStatusDown = 2;
inline constexpr std::int32_t kOperStatusNonOperational = 0;
inline constexpr std::int32_t kOperStatusDisconnected = 2;
inline constexpr std::int32_t kOperStatusConnecting = 3;
inline constexpr std::int32_t kOperStatusOperational = 5;

// One network interface, with the 24 fields of the platform's interface row in their order.
// The byte arrays keep their full declared length. Counters and the speed are held unsigned and
// 64 bits wide: a 32-bit platform fills only the low half (see CounterWidth).
struct InterfaceRow {
    ByteBuffer wszName = ByteBuffer(kInterfaceNameBytes);  // UTF-16LE, NUL padded
    std::int32_t dwIndex = 0;
    std::int32_t dwType = 0;
    std::int32_t dwMtu = 0;
    std::uint64_t dwSpeed = 0;  // bits per second
    std::int32_t dwPhysAddrLen = 0;
    ByteBuffer bPhysAddr = ByteBuffer(kPhysicalAddressBytes);
    std::int32_t dwAdminStatus = 0;
    std::int32_t dwOperStatus = 0;
    std::int32_t dwLastChange = 0;
    std::uint64_t dwInOctets = 0;  // bytes received
    std::uint64_t dwInUcastPkts = 0;
    std::uint64_t dwInNUcastPkts = 0;
    std::uint64_t dwInDiscards = 0;
    std::uint64_t dwInErrors = 0;
    std::uint64_t dwInUnknownProtos = 0;
    std::uint64_t dwOutOctets = 0;  // bytes sent
    std::uint64_t dwOutUcastPkts = 0;
    std::uint64_t dwOutNUcastPkts = 0;
    std::uint64_t dwOutDiscards = 0;
    std::uint64_t dwOutErrors = 0;
    std::int32_t dwOutQLen = 0;
    std::int32_t dwDescrLen = 0;
    ByteBuffer bDescr = ByteBuffer(kInterfaceDescriptionBytes);  // NUL-terminated text

    friend bool operator==(const InterfaceRow&, const InterfaceRow&) = default;
};

// How wide the platform's byte counters are: 32-bit counters wrap at 2^32, 64-bit ones never do.
enum class CounterWidth { Bits32, Bits64 };

}  // namespace quorell
