#include "sampling/cpu_sampler.h"

#include <cmath>

#include "runtime/value_text.h"

namespace quorell {
namespace {

// The count comes with the counters, from the source of the clock; one processor when it is unknown.
double ProcessorCount(const CpuTimes& times) {
    return times.processorCount > 0 ? static_cast<double>(times.processorCount) : 1.0;
}

}  // namespace

CpuSampler::CpuSampler(CpuCounterPort& counters) : counters_(counters) {}

void CpuSampler::TakeBaseline() {
    if (const auto times = counters_.ReadCpuTimes()) {
        state_.previousIdleTime = static_cast<double>(times->idleTime);
        state_.previousSystemTime = static_cast<double>(times->systemTime);
    }
}

std::optional<std::int32_t> CpuSampler::MeasureCpuUsage() {
    const auto times = counters_.ReadCpuTimes();
    if (!times) {
        return std::nullopt;
    }
    const double idleTime = static_cast<double>(times->idleTime);
    const double systemTime = static_cast<double>(times->systemTime);
    const double idleDelta = idleTime - state_.previousIdleTime;
    const double timeDelta = systemTime - state_.previousSystemTime;
    // Two readings within one step of the clock measure nothing; the ratio is then taken as 0.
    const double ratio = std::fabs(timeDelta) > 1e-7 ? idleDelta / timeDelta : 0.0;
    const double usage = 100.0 - ratio * 100.0 / ProcessorCount(*times);
    state_.previousIdleTime = idleTime;
    state_.previousSystemTime = systemTime;
    return ToInteger(usage);
}

std::int32_t CpuSampler::SampleCpuUsage() {
    return MeasureCpuUsage().value_or(kFailedCpuUsage);
}

}  // namespace quorell
