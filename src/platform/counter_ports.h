#pragma once

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "platform/interface_row.h"
#include "runtime/byte_buffer.h"

namespace quorell {

// Cumulative CPU counters in units of 100 ns: the idle time of all processors together, and a clock
// in the same unit that advances by one second's worth for every second that passes. The idle time
// divided by the clock is the average number of idle processors; `processorCount` is the number of
// processors that this idle time is summed over, taken from the same source as the clock, so that the
// usage formula never mixes two views of the machine. 0 when the platform cannot tell.
struct CpuTimes {
    std::int64_t idleTime = 0;
    std::int64_t systemTime = 0;
    int processorCount = 0;
    friend bool operator==(const CpuTimes&, const CpuTimes&) = default;
};

class CpuCounterPort {
public:
    virtual ~CpuCounterPort() = default;
    // The counters and the processor count from one query; nothing when the platform query fails.
    virtual std::optional<CpuTimes> ReadCpuTimes() = 0;
};

// The machine's physical memory, in bytes, and the share of it in use in percent (0 to 100).
struct MemoryStatus {
    std::uint64_t totalPhysicalBytes = 0;
    std::uint64_t availablePhysicalBytes = 0;
    std::int32_t loadPercent = 0;
    friend bool operator==(const MemoryStatus&, const MemoryStatus&) = default;
};

class MemoryStatusPort {
public:
    virtual ~MemoryStatusPort() = default;
    // Nothing when the platform query fails.
    virtual std::optional<MemoryStatus> ReadMemoryStatus() = 0;
};

// Every interface the platform reports, already in ascending interface index, with 64-bit counters.
struct InterfaceRows64 {
    std::vector<InterfaceRow> rows;
};

// The platform's own interface-table block: a 4-byte little-endian row count followed by 860-byte
// rows with 32-bit counters, as the platform returned it sorted by interface index. The sampling
// core turns it into rows (ParseIfTableBlock).
struct IfTableBlock {
    ByteBuffer bytes;
};

using InterfaceTableReading = std::variant<InterfaceRows64, IfTableBlock>;

class InterfaceTablePort {
public:
    virtual ~InterfaceTablePort() = default;
    // The whole table; nothing when the platform query fails.
    virtual std::optional<InterfaceTableReading> ReadInterfaceTable() = 0;
};

enum class PlatformFamily { Windows, Linux, Other };

struct PlatformVersion {
    PlatformFamily family = PlatformFamily::Other;
    int major = 0;
    int minor = 0;
    friend bool operator==(const PlatformVersion&, const PlatformVersion&) = default;
};

class PlatformVersionPort {
public:
    virtual ~PlatformVersionPort() = default;
    virtual PlatformVersion ReadPlatformVersion() const = 0;
};

}  // namespace quorell
