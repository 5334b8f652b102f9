#include "sampling/network_sampler.h"

#include <algorithm>
#include <utility>

#include "sampling/traffic_arithmetic.h"

namespace quorell {

NetworkSampler::NetworkSampler(InterfaceTablePort& interfaces, const PlatformVersionPort& version, TableReuse reuse)
    : interfaces_(interfaces), version_(version), reuse_(std::move(reuse)) {
    if (!reuse_.now) {
        reuse_.now = &std::chrono::steady_clock::now;
    }
}

void NetworkSampler::SelectMonitoredRow() {
    chooser_.SetFallbackRow(MonitoredRowFor(version_.ReadPlatformVersion()));
}

void NetworkSampler::Refresh(std::optional<Direction> direction) {
    if (ReadTable(direction)) {
        chooser_.Choose(table_.rows, [this] { return interfaces_.ReadDefaultRouteInterface(); });
    }
}

bool NetworkSampler::ReadTable(std::optional<Direction> direction) {
    const bool mayShare = direction && reuse_.within.count() > 0;
    const auto now = mayShare ? reuse_.now() : std::chrono::steady_clock::time_point{};
    if (mayShare && shareable_ && shareable_->readFor != *direction && now - shareable_->at < reuse_.within) {
        shareable_.reset();  // it served both directions; the next refresh reads anew
        return true;
    }
    shareable_.reset();
    auto rows = interfaces_.ReadInterfaces();
    if (!rows) {
        return false;
    }
    // The fixed table row and the menu's order count in ascending interface index, whatever order the
    // platform answers in.
    std::ranges::sort(*rows, {}, &NetworkInterface::index);
    table_.rows = std::move(*rows);
    if (mayShare) {
        shareable_ = Shareable{*direction, now};
    }
    return true;
}

void NetworkSampler::TakeBaseline(Direction direction) {
    Refresh(direction);
    auto& previous = PreviousReading(direction);
    if (const NetworkInterface* row = WatchedRow()) {
        previous = Reading{row->index, CounterOf(*row, direction), row->counterWidth};
    } else {
        previous.reset();
    }
}

TrafficSample NetworkSampler::SampleTraffic(Direction direction, std::string_view bandwidthText) {
    Refresh(direction);
    auto& previous = PreviousReading(direction);
    const NetworkInterface* row = WatchedRow();
    if (row == nullptr) {
        previous.reset();
        return {};
    }
    const Reading current{row->index, CounterOf(*row, direction), row->counterWidth};
    // A different interface at the watched position has counters unrelated to the last reading, and so do
    // counters that the platform now reports at another width.
    if (!previous || previous->interfaceIndex != current.interfaceIndex || previous->width != current.width) {
        previous = current;
        return {};
    }
    const auto delta = CounterDelta(previous->counter, current.counter, current.width);
    previous = current;
    if (!delta) {
        return {};
    }
    return TrafficFromDelta(static_cast<double>(*delta), bandwidthText);
}

const NetworkInterface* NetworkSampler::WatchedRow() const {
    const auto& watched = chooser_.Current().index;
    if (!watched) {
        return nullptr;
    }
    for (const NetworkInterface& row : table_.rows) {
        if (row.index == *watched) {
            return &row;
        }
    }
    return nullptr;
}

std::optional<NetworkSampler::Reading>& NetworkSampler::PreviousReading(Direction direction) {
    return previous_[direction == Direction::Receive ? 0 : 1];
}

}  // namespace quorell
