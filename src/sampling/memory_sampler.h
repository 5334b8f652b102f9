#pragma once

#include <cstdint>

#include "platform/counter_ports.h"

namespace quorell {

// One reading of the physical memory.
struct MemorySample {
    std::int32_t loadPercent = 0;    // 0 to 100
    std::int32_t usedMegabytes = 0;  // in units of 1,024,000 bytes, truncated toward zero
    friend bool operator==(const MemorySample&, const MemorySample&) = default;
};

// The sample for one memory status: used bytes are total minus available.
MemorySample MemorySampleFrom(const MemoryStatus& status);

class MemorySampler {
public:
    explicit MemorySampler(MemoryStatusPort& status);

    // Never fails: when the platform query fails, the last good sample is repeated (zeros before the
    // first), so a passing hiccup neither shows nor records a made-up empty memory.
    MemorySample SampleMemory();

private:
    MemoryStatusPort& status_;
    MemorySample lastGood_;
};

}  // namespace quorell
