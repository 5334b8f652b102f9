#pragma once

#include <cstdint>
#include <vector>

#include "platform/counter_ports.h"

namespace quorell {

// Which counter of the watched interface a network monitor reads.
enum class Direction { Receive, Send };

// The traffic of one tick: in K (1280 bytes) and as a percentage of the user's bandwidth.
struct TrafficSample {
    std::int32_t kValue = 0;
    std::int32_t percent = 0;
    friend bool operator==(const TrafficSample&, const TrafficSample&) = default;
};

// The interface table of the last successful refresh, in ascending interface index.
struct InterfaceTable {
    std::vector<NetworkInterface> rows;
};

// The counter that a direction reads.
inline std::uint64_t CounterOf(const NetworkInterface& row, Direction direction) {
    return direction == Direction::Receive ? row.receivedBytes : row.sentBytes;
}

}  // namespace quorell
