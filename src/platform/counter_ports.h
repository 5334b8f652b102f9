#pragma once

#include <cstdint>
#include <optional>
#include <string>
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

// One network interface as every platform can describe it.
struct NetworkInterface {
    std::int32_t index = 0;  // the platform's interface index
    std::string name;        // as the system shows it to the user (Linux: the kernel name such as eth0)
    bool up = false;         // administratively up and able to pass traffic
    bool loopback = false;
    std::uint64_t receivedBytes = 0;
    std::uint64_t sentBytes = 0;
    friend bool operator==(const NetworkInterface&, const NetworkInterface&) = default;
};

// Every interface the platform reports, already in ascending interface index, with 64-bit counters.
struct InterfaceRows64 {
    std::vector<NetworkInterface> rows;
};

// The platform's own interface-table block: a 4-byte little-endian row count followed by 860-byte
// rows with 32-bit counters, as the platform returned it sorted by interface index. The sampling
// core turns it into interfaces (InterfacesFromIfTableBlock).
struct IfTableBlock {
    ByteBuffer bytes;
};

using InterfaceTableReading = std::variant<InterfaceRows64, IfTableBlock>;

class InterfaceTablePort {
public:
    virtual ~InterfaceTablePort() = default;
    // The whole table; nothing when the platform query fails.
    virtual std::optional<InterfaceTableReading> ReadInterfaceTable() = 0;
    // The index of the interface that carries the default route (IPv4, else IPv6; the lowest metric
    // wins); nothing when there is no default route or the platform cannot tell.
    virtual std::optional<std::int32_t> ReadDefaultRouteInterface() { return std::nullopt; }
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
