#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/counter_ports.h"
#include "sampling/interface_chooser.h"
#include "sampling/network_types.h"

namespace quorell {

// How long one direction's read of the platform's interface table may serve the other direction's refresh.
struct TableReuse {
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    std::chrono::milliseconds within{0};  // zero: every refresh reads afresh
    Clock now;                            // empty: the steady clock

    // What the running program uses. The receive and send monitors tick together and refresh within
    // microseconds of each other: the table read for the one serves the other; every other refresh
    // reads anew.
    static TableReuse BetweenMonitors() { return TableReuse{std::chrono::milliseconds(100), Clock()}; }
};

// The traffic of one watched network interface, per direction, tick by tick.
class NetworkSampler {
public:
    NetworkSampler(InterfaceTablePort& interfaces, const PlatformVersionPort& version, TableReuse reuse = {});

    // Sets the table row watched when nothing else can be known, from the platform version; called
    // once at start-up.
    void SelectMonitoredRow();

    // The interface the user named (empty: chosen automatically); takes effect at the next refresh,
    // for both directions.
    void SetUserChoice(std::string name) { chooser_.SetUserChoice(std::move(name)); }

    // Re-reads the platform's table and puts it in ascending interface index; a failed read leaves the
    // previous table.
    void RefreshInterfaceTable() { Refresh(std::nullopt); }

    // Refreshes, then takes the watched row's counter for `direction` as the start of its first tick.
    void TakeBaseline(Direction direction);

    // Refreshes and returns the traffic since the direction's previous reading. The result is 0 when
    // there is no watched interface in the table (it is read as soon as the table has it), when another
    // interface is watched now, when its counters changed width, and when the counter restarted; each case
    // starts the direction again from the current counter.
    TrafficSample SampleTraffic(Direction direction, std::string_view bandwidthText);

    const InterfaceTable& Table() const { return table_; }
    // The fixed row watched when nothing else can be known: 1-based; 0 before SelectMonitoredRow.
    int MonitoredRow() const { return chooser_.FallbackRow(); }
    // The interface watched since the last refresh.
    const InterfaceChoice& Choice() const { return chooser_.Current(); }
    const std::string& UserChoice() const { return chooser_.UserChoice(); }

private:
    // The counter of one direction at its last reading, and the interface it belongs to.
    struct Reading {
        std::int32_t interfaceIndex = 0;
        std::uint64_t counter = 0;
        CounterWidth width = CounterWidth::Bits64;
    };

    // Refreshes for `direction`: a table that the other direction read within the reuse time serves it
    // once, without asking the platform.
    void Refresh(std::optional<Direction> direction);
    // Whether the table is current: read now for `direction`, or the other direction's recent read.
    bool ReadTable(std::optional<Direction> direction);
    const NetworkInterface* WatchedRow() const;
    std::optional<Reading>& PreviousReading(Direction direction);

    InterfaceTablePort& interfaces_;
    const PlatformVersionPort& version_;
    TableReuse reuse_;
    // The last successful read that may still serve the other direction: for whom and when it was made.
    struct Shareable {
        Direction readFor = Direction::Receive;
        std::chrono::steady_clock::time_point at;
    };
    std::optional<Shareable> shareable_;
    InterfaceTable table_;
    InterfaceChooser chooser_;
    std::array<std::optional<Reading>, 2> previous_;
};

}  // namespace quorell
