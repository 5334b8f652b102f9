#pragma once

#include <filesystem>

#include "monitors/monitor_display.h"

#include "runtime/ini_file.h"

namespace quorell {

class ClockPort;
class CpuSampler;
class Window;

// The CPU monitor window's logic: once a second, the machine's CPU usage is shown on the window
// (labels "显示_当前Cpu使用率", "显示_最高Cpu使用率", "显示_平均Cpu使用率", "显示_Cpu最高时间",
// graph "画板_Cpu") and added to the current hour's slot of the history file ("Cpu.FDB"). A tick whose
// counters cannot be read shows and draws -1 but adds nothing to the average or the history.
class CpuMonitor {
public:
    // `historyFile` is "Cpu.FDB". Every referenced object must outlive the monitor.
    // Takes the sampler's baseline, so the first tick measures the time since the monitor exists.
    CpuMonitor(Window& window, CpuSampler& sampler, const ClockPort& clock, IniFile historyFile);

    // Bound to the window's created event: takes the baseline again, so the first tick measures the
    // first second of the window rather than the time since boot.
    void OnWindowCreated();

    // Bound to the 1000 ms timer "时钟_Cpu".
    void OnCpuTick();

    const MonitorDisplay& Display() const { return display_; }
    // The usage in percent that the last tick showed.
    const TickReading& LastTick() const { return lastTick_; }

private:
    CpuSampler& sampler_;
    const ClockPort& clock_;
    IniFile historyFile_;
    MonitorDisplay display_;
    TickReading lastTick_;
};

}  // namespace quorell
