#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/counter_ports.h"
#include "sampling/network_types.h"

namespace quorell {

// The bytes a counter moved between two readings. A 32-bit counter is taken modulo 2^32, so a wrap
// past 4294967295 counts right; a 32-bit step of 2^31 or more, and any 64-bit counter that went
// down, is a restart (an interface reset): nothing, and the caller starts again from `current`.
std::optional<std::uint64_t> CounterDelta(std::uint64_t previous, std::uint64_t current, CounterWidth width);

// K and the percentage of the bandwidth for `deltaBytes` moved in one tick. The bandwidth is the
// leading integer of the text, in Mb; a bandwidth of 0 gives a percentage of 0. Both truncate toward
// zero and are not clamped.
TrafficSample TrafficFromDelta(double deltaBytes, std::string_view bandwidthText);

// The 1-based row of the interface table that is watched on this platform version.
int MonitoredRowFor(const PlatformVersion& version);

}  // namespace quorell
