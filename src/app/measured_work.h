#pragma once

#include "app/alert_settings.h"
#include "app/window_set.h"
#include "history/history_files.h"
#include "monitors/cpu_monitor.h"
#include "monitors/memory_monitor.h"
#include "monitors/network_monitor.h"
#include "sampling/cpu_sampler.h"
#include "sampling/memory_sampler.h"
#include "sampling/network_sampler.h"
#include "trend/trend_window.h"

namespace quorell {

struct ApplicationPorts;  // app/application_ports.h

// The measuring side of a run: the three samplers, the four monitors and the trend window's refreshes,
// each reached from the window events that the application binds.
class MeasuredWork {
public:
    // The windows and ports must outlive the object.
    MeasuredWork(const WindowSet& windows, const ApplicationPorts& ports);

    // Chooses the watched network interface; the main window's creation does this first.
    void SelectMonitoredRow() { network_.SelectMonitoredRow(); }

    void OnCpuCreated() { cpu_.OnWindowCreated(); }
    void OnCpuTick() { cpu_.OnCpuTick(); }
    void OnMemoryTick() { memory_.OnMemoryTick(); }
    void OnReceiveCreated() { receive_.OnWindowCreated(); }
    void OnReceiveTick() { receive_.OnNetworkTick(); }
    void OnSendCreated() { send_.OnWindowCreated(); }
    void OnSendTick() { send_.OnNetworkTick(); }

    // The trend statistics window: every page at creation, the traffic pages every second, the CPU and
    // memory pages every 30 seconds.
    void OnTrendCreated() { trend_.OnCreated(); }
    void OnTrendTrafficTick() { trend_.OnTrafficTimer(); }
    void OnTrendBaseTick() { trend_.OnBaseTimer(); }

    // What the monitor of `metric` measured at its last tick, as its window shows it.
    TickReading LastTick(AlertMetric metric) const;

    const NetworkSampler& Network() const { return network_; }
    NetworkSampler& Network() { return network_; }
    const NetworkMonitor& Receive() const { return receive_; }
    const NetworkMonitor& Send() const { return send_; }
    const HistoryFiles& History() const { return historyFiles_; }

private:
    CpuSampler cpuSampler_;
    MemorySampler memorySampler_;
    NetworkSampler network_;
    HistoryFiles historyFiles_;
    CpuMonitor cpu_;
    MemoryMonitor memory_;
    NetworkMonitor receive_;
    NetworkMonitor send_;
    TrendStatistics trend_;
};

}  // namespace quorell
