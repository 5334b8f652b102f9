#pragma once

#include <cstdint>

#include <optional>

#include "platform/counter_ports.h"

namespace quorell {

// The two counter readings of the last successful call, in units of 100 ns.
struct CpuSamplerState {
    double previousIdleTime = 0;
    double previousSystemTime = 0;
};

// The usage shown for a tick whose counters could not be read.
inline constexpr std::int32_t kFailedCpuUsage = -1;

// CPU usage of the whole machine over the interval since the previous successful reading.
class CpuSampler {
public:
    explicit CpuSampler(CpuCounterPort& counters);

    // Takes the current counters as the start of the first interval; the CPU monitor calls it when
    // it is created, so its first tick measures its first second rather than the time since boot.
    // A failed query leaves the state as it was.
    void TakeBaseline();

    // The usage in percent, truncated toward zero and not clamped; nothing when the query fails, in
    // which case the state is untouched and the next successful call spans from the last successful one.
    // A measured usage can itself be slightly negative (idle read a moment after the clock).
    std::optional<std::int32_t> MeasureCpuUsage();

    // MeasureCpuUsage with a failed query given as -1, the value the monitor window shows for it.
    std::int32_t SampleCpuUsage();

    const CpuSamplerState& State() const { return state_; }

private:
    CpuCounterPort& counters_;
    CpuSamplerState state_;
};

}  // namespace quorell
