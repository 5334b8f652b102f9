#pragma once

#include <chrono>
#include <cstdint>

#include "platform/counter_ports.h"
#include "platform/linux/link_dump.h"

namespace quorell {

// Every network interface of this process's network namespace, read through rtnetlink, in ascending
// interface index, with the kernel's 64-bit counters; and the interface of the default route, asked
// of the kernel over the same socket.
class LinuxInterfaceTable final : public InterfaceTablePort {
public:
    // A table read less than `reuseWithin` ago is returned again instead of asking the kernel anew:
    // the receive and send monitors tick together and read the same table within microseconds, and one
    // dump of every link serves both. Zero (the default) reads afresh every time.
    explicit LinuxInterfaceTable(std::chrono::milliseconds reuseWithin = {}) : reuseWithin_(reuseWithin) {}

    std::optional<InterfaceTableReading> ReadInterfaceTable() override;
    std::optional<std::int32_t> ReadDefaultRouteInterface() override;

private:
    LinkDumper links_;
    std::chrono::milliseconds reuseWithin_;
    std::optional<InterfaceRows64> last_;
    std::chrono::steady_clock::time_point lastReadAt_;
};

}  // namespace quorell
