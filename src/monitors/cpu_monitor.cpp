#include "monitors/cpu_monitor.h"

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
    // A failed sample (-1) is shown, drawn, averaged and recorded like any other value.
    const std::int32_t usage = sampler_.SampleCpuUsage();
    const DateTime now = MakeDateTime(clock_.LocalNow());
    display_.ShowTick(usage, usage, now);
    RecordHourlySample(historyFile_, usage, now);
}

}  // namespace quorell
