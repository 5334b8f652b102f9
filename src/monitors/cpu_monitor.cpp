#include "monitors/cpu_monitor.h"

#include <optional>
#include <utility>

#include "history/usage_history.h"
#include "platform/clock_port.h"
#include "sampling/cpu_sampler.h"

namespace quorell {
namespace {

constexpr MonitorLayoutNames kCpuNames{
    .controls = names::kCpuMonitor,
    .currentSuffix = " %",
    .peakSuffix = "%",
    .averageSuffix = " %",
};

}  // namespace

CpuMonitor::CpuMonitor(Window& window, CpuSampler& sampler, const ClockPort& clock, IniFile historyFile)
    : sampler_(sampler), clock_(clock), historyFile_(std::move(historyFile)), display_(window, kCpuNames) {
    sampler_.TakeBaseline();
}

void CpuMonitor::OnWindowCreated() {
    sampler_.TakeBaseline();
}

void CpuMonitor::OnCpuTick() {
    const std::optional<std::int32_t> usage = sampler_.MeasureCpuUsage();
    const DateTime now = MakeDateTime(clock_.LocalNow());
    lastTick_ = {usage, now};
    if (!usage) {
        // Shown and drawn as -1, but no measurement: it would pull the average and the hour's history down.
        display_.ShowFailedTick(kFailedCpuUsage, now);
        return;
    }
    display_.ShowTick(*usage, *usage, now);
    RecordHourlySample(historyFile_, *usage, now);
}

}  // namespace quorell
