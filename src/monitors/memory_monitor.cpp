#include "monitors/memory_monitor.h"

#include <utility>

#include "history/usage_history.h"
#include "platform/clock_port.h"
#include "sampling/memory_sampler.h"

namespace quorell {
namespace {

constexpr MonitorLayoutNames kMemoryNames{
    .controls = names::kMemoryMonitor,
    .currentSuffix = "M",
    .peakSuffix = "M",
    .averageSuffix = "%",
};

}  // namespace

MemoryMonitor::MemoryMonitor(Window& window, MemorySampler& sampler, const ClockPort& clock, IniFile historyFile)
    : sampler_(sampler), clock_(clock), historyFile_(std::move(historyFile)), display_(window, kMemoryNames) {}

void MemoryMonitor::OnMemoryTick() {
    const MemorySample sample = sampler_.SampleMemory();
    const DateTime now = MakeDateTime(clock_.LocalNow());
    lastTick_ = {sample.loadPercent, now};
    display_.ShowTick(sample.loadPercent, sample.usedMegabytes, now);
    RecordHourlySample(historyFile_, sample.loadPercent, now);
}

}  // namespace quorell
