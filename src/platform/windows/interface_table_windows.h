#pragma once

#include <chrono>
#include <optional>

#include "platform/counter_ports.h"

namespace quorell {

// The interface table of the IP helper (GetIfTable, sorted by interface index), handed to the core as
// the platform's own block of 860-byte rows with 32-bit counters.
class WindowsInterfaceTable final : public InterfaceTablePort {
public:
    // A table read less than `reuseWithin` ago is returned again instead of asking anew: the receive
    // and send monitors tick together and read the same table within microseconds. Zero (the default)
    // reads afresh every time.
    explicit WindowsInterfaceTable(std::chrono::milliseconds reuseWithin = {}) : reuseWithin_(reuseWithin) {}

    std::optional<InterfaceTableReading> ReadInterfaceTable() override;
    // The IP helper's best interface for 0.0.0.0: the one that carries the IPv4 default route.
    std::optional<std::int32_t> ReadDefaultRouteInterface() override;

private:
    std::chrono::milliseconds reuseWithin_;
    std::optional<IfTableBlock> last_;
    std::chrono::steady_clock::time_point lastReadAt_;
};

// The whole GetIfTable block, rows in ascending interface index; nothing when the call fails.
std::optional<IfTableBlock> ReadIfTableBlock();

}  // namespace quorell
