#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

// How wide a platform's byte counters are: 32-bit counters wrap at 2^32, 64-bit ones never do.
enum class CounterWidth { Bits32, Bits64 };

// One network interface as every platform can describe it.
struct NetworkInterface {
    std::int32_t index = 0;  // the platform's interface index
    std::string name;        // the name the user knows it by (Linux: the kernel name such as eth0; Windows: the
                             // connection's name such as "以太网"): shown in the menu, stored as the user's choice
    bool up = false;         // administratively up and able to pass traffic
    bool loopback = false;
    std::uint64_t receivedBytes = 0;
    std::uint64_t sentBytes = 0;
    CounterWidth counterWidth = CounterWidth::Bits64;  // of both byte counters
    std::string systemName;  // the system's own name for it (Windows: the device name); may equal `name`
    friend bool operator==(const NetworkInterface&, const NetworkInterface&) = default;
};

class InterfaceTablePort {
public:
    virtual ~InterfaceTablePort() = default;
    // Every interface the platform reports, in any order, read afresh; nothing when the platform query fails.
    virtual std::optional<std::vector<NetworkInterface>> ReadInterfaces() = 0;
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
