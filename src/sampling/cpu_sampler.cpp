#include "sampling/cpu_sampler.h"

#include <cmath>

#include "runtime/value_text.h"

namespace quorell {

CpuSampler::CpuSampler(CpuCounterPort& counters, const EnvironmentPort& environment)
    : counters_(counters), environment_(environment) {}

void CpuSampler::TakeBaseline() {
    if (const auto times = counters_.ReadCpuTimes()) {
        state_.previousIdleTime = static_cast<double>(times->idleTime);
        state_.previousSystemTime = static_cast<double>(times->systemTime);
    }
}

std::int32_t CpuSampler::SampleCpuUsage() {
    const auto times = counters_.ReadCpuTimes();
    if (!times) {
        return -1;
    }
    const double idleTime = static_cast<double>(times->idleTime);
    const double systemTime = static_cast<double>(times->systemTime);
    const double idleDelta = idleTime - state_.previousIdleTime;
    const double timeDelta = systemTime - state_.previousSystemTime;
    // Two readings within one step of the clock measure nothing; the ratio is then taken as 0.
    const double ratio = std::fabs(timeDelta) > 1e-7 ? idleDelta / timeDelta : 0.0;
    const double usage = 100.0 - ratio * 100.0 / ProcessorCount();
    state_.previousIdleTime = idleTime;
    state_.previousSystemTime = systemTime;
    return ToInteger(usage);
}

double CpuSampler::ProcessorCount() const {
    // Read afresh on every call. A missing, empty, non-numeric, zero or negative count would make the
    // formula meaningless, so the platform's own count stands in for it.
    const double fromEnvironment = ToNumber(environment_.GetEnv("NUMBER_OF_PROCESSORS"));
    if (std::isfinite(fromEnvironment) && fromEnvironment > 0) {
        return fromEnvironment;
    }
    const int online = counters_.OnlineProcessorCount();
    return online > 0 ? static_cast<double>(online) : 1.0;
}

}  // namespace quorell
