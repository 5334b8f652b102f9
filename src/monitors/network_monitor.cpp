#include "monitors/network_monitor.h"

#include <utility>

#include "history/traffic_history.h"
#include "platform/clock_port.h"
#include "sampling/network_sampler.h"
#include "ui_model/window.h"

namespace quorell {
namespace {

constexpr MonitorLayoutNames kNetworkNames{
    .controls = names::kNetworkMonitor,
    .currentSuffix = "K",
    .peakSuffix = "K",
    .averageSuffix = " %",
};

}  // namespace

NetworkMonitor::NetworkMonitor(Window& window, Direction direction, NetworkSampler& sampler,
                               BandwidthText bandwidthText, const ClockPort& clock, IniFile historyFile)
    : window_(window),
      direction_(direction),
      sampler_(sampler),
      bandwidthText_(std::move(bandwidthText)),
      clock_(clock),
      historyFile_(std::move(historyFile)),
      display_(window, kNetworkNames) {}

void NetworkMonitor::OnWindowCreated() {
    sampler_.TakeBaseline(direction_);
    ShowWatchedInterface();
}

void NetworkMonitor::OnNetworkTick() {
    const std::string bandwidth = bandwidthText_ ? bandwidthText_() : std::string();
    const TrafficSample sample = sampler_.SampleTraffic(direction_, bandwidth);
    const DateTime now = MakeDateTime(clock_.LocalNow());
    // The graph and the average show the share of the bandwidth; the labels and the file hold K.
    display_.ShowTick(sample.percent, sample.kValue, now);
    RecordTrafficSample(historyFile_, sample.kValue, now);
    lastSample_ = sample;
    lastTickTime_ = now;
    ShowWatchedInterface();
}

void NetworkMonitor::ShowWatchedInterface() {
    window_.SetToolTip(WatchedInterfaceTip(sampler_.Choice()));
}

std::string WatchedInterfaceTip(const InterfaceChoice& choice) {
    std::string tip = "监控网卡: " + (choice.name.empty() ? std::string("无") : choice.name);
    if (choice.automatic) {
        return tip + " (自动选择)";
    }
    return tip + (choice.index ? " (手动选择)" : " (手动选择, 当前不存在)");
}

}  // namespace quorell
