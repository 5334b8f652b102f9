#pragma once

#include <filesystem>

#include "monitors/monitor_display.h"

#include "runtime/ini_file.h"

namespace quorell {

class ClockPort;
class MemorySampler;
class Window;

// The memory monitor window's logic: once a second, the megabytes in use are shown in the current and
// peak labels ("显示_当前内存", "显示_最高内存", "显示_最高时间"), while the load percentage colours the
// labels, feeds the average ("显示_平均内存") and the graph ("画板_内存") and is added to the current
// hour's slot of the history file ("内存.FDB").
class MemoryMonitor {
public:
    // `historyFile` is "内存.FDB". Every referenced object must outlive the monitor.
    MemoryMonitor(Window& window, MemorySampler& sampler, const ClockPort& clock, IniFile historyFile);

    // Bound to the 1000 ms timer "时钟_内存".
    void OnMemoryTick();

    const MonitorDisplay& Display() const { return display_; }
    // The load percentage of the last tick.
    const TickReading& LastTick() const { return lastTick_; }

private:
    MemorySampler& sampler_;
    const ClockPort& clock_;
    IniFile historyFile_;
    MonitorDisplay display_;
    TickReading lastTick_;
};

}  // namespace quorell
