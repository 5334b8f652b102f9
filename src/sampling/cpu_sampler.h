#pragma once

#include <cstdint>

#include "platform/counter_ports.h"
#include "platform/environment_port.h"

namespace quorell {

// The two counter readings of the last successful call, in units of 100 ns.
struct CpuSamplerState {
    double previousIdleTime = 0;
    double previousSystemTime = 0;
};

// CPU usage of the whole machine over the interval since the previous successful reading.
class CpuSampler {
public:
    CpuSampler(CpuCounterPort& counters, const EnvironmentPort& environment);

    // Takes the current counters as the start of the first interval; the CPU monitor calls it when
    // it is created, so its first tick measures its first second rather than the time since boot.
    // A failed query leaves the state as it was.
    void TakeBaseline();

    // The usage in percent, truncated toward zero and not clamped; -1 when the query fails, in which
    // case the state is untouched and the next successful call spans from the last successful one.
    std::int32_t SampleCpuUsage();

    // The processor count of the formula: "NUMBER_OF_PROCESSORS" when it holds a positive number,
    // otherwise the platform's online count, and 1 when neither is known.
    double ProcessorCount() const;

    const CpuSamplerState& State() const { return state_; }

private:
    CpuCounterPort& counters_;
    const EnvironmentPort& environment_;
    CpuSamplerState state_;
};

}  // namespace quorell
