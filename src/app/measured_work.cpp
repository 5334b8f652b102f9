#include "app/measured_work.h"

#include "app/application_ports.h"
#include "ui_model/control_names.h"
#include "ui_model/controls.h"

namespace quorell {

MeasuredWork::MeasuredWork(const WindowSet& windows, const ApplicationPorts& ports)
    : cpuSampler_(ports.cpuCounters),
      memorySampler_(ports.memoryStatus),
      network_(ports.interfaceTable, ports.platformVersion, TableReuse::BetweenMonitors()),
      historyFiles_(HistoryFilesIn(ports.iniStore, ports.runDirectory.RunDirectory())),
      cpu_(windows.Get(WindowKind::CpuMonitor), cpuSampler_, ports.clock, historyFiles_.cpu),
      memory_(windows.Get(WindowKind::MemoryMonitor), memorySampler_, ports.clock, historyFiles_.memory),
      receive_(
          windows.Get(WindowKind::ReceiveMonitor), Direction::Receive, network_,
          [&windows] { return windows.Main().EditBox(names::kBandwidthBox).Text(); }, ports.clock,
          historyFiles_.receive),
      send_(
          windows.Get(WindowKind::SendMonitor), Direction::Send, network_,
          [&windows] { return windows.Main().EditBox(names::kBandwidthBox).Text(); }, ports.clock, historyFiles_.send),
      trend_(windows.Get(WindowKind::Trend), historyFiles_) {}

TickReading MeasuredWork::LastTick(AlertMetric metric) const {
    switch (metric) {
        case AlertMetric::Cpu:
            return cpu_.LastTick();
        case AlertMetric::Memory:
            return memory_.LastTick();
        case AlertMetric::Receive:
            return receive_.LastTick();
        case AlertMetric::Send:
            break;
    }
    return send_.LastTick();
}

}  // namespace quorell
