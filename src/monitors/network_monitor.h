#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "monitors/monitor_display.h"
#include "runtime/date_time.h"
#include "sampling/interface_chooser.h"
#include "sampling/network_types.h"

#include "runtime/ini_file.h"

namespace quorell {

class ClockPort;
class NetworkSampler;
class Window;

// The logic of the receive and of the send monitor window (one instance per direction): once a second,
// the traffic of the watched interface in K is shown ("显示_当前流量", "显示_最高流量", "显示_最高时间"),
// its share of the user's bandwidth colours the labels and feeds the average ("显示_平均流量") and the
// graph ("画板_Lan"), and the K is added to the history file ("接收.FDB" or "发送.FDB") with its record,
// period totals and hour slots.
// The window's tooltip: which interface is watched, and whether it was chosen automatically or by the
// user (and whether the user's one is missing now).
std::string WatchedInterfaceTip(const InterfaceChoice& choice);

class NetworkMonitor {
public:
    // The text of the main window's bandwidth box ("输入_网络带宽"), read on every tick.
    using BandwidthText = std::function<std::string()>;

    // `historyFile` is the direction's file. Every referenced object must outlive the
    // monitor. The sampler is shared by both directions and must have chosen its watched row.
    NetworkMonitor(Window& window, Direction direction, NetworkSampler& sampler, BandwidthText bandwidthText,
                   const ClockPort& clock, IniFile historyFile);

    // Bound to the window's created event (before its position is restored): takes the direction's
    // counter baseline, so the first tick measures the traffic since the window was created.
    void OnWindowCreated();

    // Bound to the window's 1000 ms timer "时钟_Lan".
    void OnNetworkTick();

    Direction Which() const { return direction_; }
    // The last tick's traffic and its reading of the clock, for what else the tick's event does with them.
    const TrafficSample& LastSample() const { return lastSample_; }
    DateTime LastTickTime() const { return lastTickTime_; }
    const MonitorDisplay& Display() const { return display_; }
    // The K per second of the last tick, as its labels show it.
    TickReading LastTick() const { return {lastSample_.kValue, lastTickTime_}; }

private:
    void ShowWatchedInterface();

    Window& window_;
    Direction direction_;
    NetworkSampler& sampler_;
    BandwidthText bandwidthText_;
    const ClockPort& clock_;
    IniFile historyFile_;
    MonitorDisplay display_;
    TrafficSample lastSample_;
    DateTime lastTickTime_;
};

}  // namespace quorell
