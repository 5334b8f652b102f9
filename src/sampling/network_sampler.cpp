#include "sampling/network_sampler.h"

#include <type_traits>
#include <utility>
#include <variant>

#include "sampling/if_table_block.h"
#include "sampling/traffic_arithmetic.h"

namespace quorell {

NetworkSampler::NetworkSampler(InterfaceTablePort& interfaces, const PlatformVersionPort& version)
    : interfaces_(interfaces), version_(version) {}

void NetworkSampler::SelectMonitoredRow() {
    chooser_.SetFallbackRow(MonitoredRowFor(version_.ReadPlatformVersion()));
}

void NetworkSampler::RefreshInterfaceTable() {
    auto reading = interfaces_.ReadInterfaceTable();
    if (!reading) {
        return;
    }
    std::visit(
        [this](auto& answer) {
            using Answer = std::decay_t<decltype(answer)>;
            if constexpr (std::is_same_v<Answer, IfTableBlock>) {
                table_.rows = InterfacesFromIfTableBlock(answer.bytes);
                table_.counterWidth = CounterWidth::Bits32;
            } else {
                table_.rows = std::move(answer.rows);
                table_.counterWidth = CounterWidth::Bits64;
            }
        },
        *reading);
    chooser_.Choose(table_.rows, [this] { return interfaces_.ReadDefaultRouteInterface(); });
}

void NetworkSampler::TakeBaseline(Direction direction) {
    RefreshInterfaceTable();
    auto& previous = PreviousReading(direction);
    if (const NetworkInterface* row = WatchedRow()) {
        previous = Reading{row->index, CounterOf(*row, direction)};
    } else {
        previous.reset();
    }
}

TrafficSample NetworkSampler::SampleTraffic(Direction direction, std::string_view bandwidthText) {
    RefreshInterfaceTable();
    auto& previous = PreviousReading(direction);
    const NetworkInterface* row = WatchedRow();
    if (row == nullptr) {
        previous.reset();
        return {};
    }
    const Reading current{row->index, CounterOf(*row, direction)};
    // A different interface at the watched position has counters unrelated to the last reading.
    if (!previous || previous->interfaceIndex != current.interfaceIndex) {
        previous = current;
        return {};
    }
    const auto delta = CounterDelta(previous->counter, current.counter, table_.counterWidth);
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
