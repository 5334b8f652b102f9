#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/counter_ports.h"

namespace quorell {

// CPU counters that a test sets and moves by hand.
class FakeCpuCounters final : public CpuCounterPort {
public:
    std::optional<CpuTimes> ReadCpuTimes() override;

    // Moves both cumulative counters forward (in 100 ns units).
    void Advance(std::int64_t idleDelta, std::int64_t timeDelta);

    CpuTimes times{0, 0, 1};
    bool failing = false;  // every read fails while set
    int reads = 0;
};

// A memory status that a test sets; `status` empty means the query fails.
class FakeMemoryStatus final : public MemoryStatusPort {
public:
    std::optional<MemoryStatus> ReadMemoryStatus() override {
        ++reads;
        return status;
    }
    void Set(std::uint64_t totalBytes, std::uint64_t availableBytes, std::int32_t loadPercent);

    std::optional<MemoryStatus> status;
    int reads = 0;
};

// An interface table that a test edits between reads.
class FakeInterfaceTable final : public InterfaceTablePort {
public:
    std::optional<std::vector<NetworkInterface>> ReadInterfaces() override;
    std::optional<std::int32_t> ReadDefaultRouteInterface() override {
        ++routeReads;
        return defaultRoute;
    }

    // Rows with interface indexes 1..count and zero counters.
    void SetRowCount(int count);

    std::vector<NetworkInterface> rows;
    bool failing = false;
    int reads = 0;
    std::optional<std::int32_t> defaultRoute;
    int routeReads = 0;
};

class FakePlatformVersion final : public PlatformVersionPort {
public:
    FakePlatformVersion() = default;
    FakePlatformVersion(PlatformFamily family, int major, int minor) : version{family, major, minor} {}
    PlatformVersion ReadPlatformVersion() const override { return version; }

    PlatformVersion version{PlatformFamily::Linux, 6, 1};
};

// An interface with the given index and byte counters, no name, down.
NetworkInterface MakeInterfaceRow(std::int32_t index, std::uint64_t inOctets = 0, std::uint64_t outOctets = 0);

}  // namespace quorell
