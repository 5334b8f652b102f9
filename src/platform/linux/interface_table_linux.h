#pragma once

#include <cstdint>
#include <map>

#include "platform/counter_ports.h"
#include "platform/linux/link_dump.h"

namespace quorell {

// Every network interface of this process's network namespace, read through rtnetlink, in ascending
// interface index, with the kernel's 64-bit counters.
class LinuxInterfaceTable final : public InterfaceTablePort {
public:
    std::optional<InterfaceTableReading> ReadInterfaceTable() override;

private:
    // The link speed asked of the driver, kept until the interface's state changes: some drivers
    // answer slowly, and the table is read twice a second.
    struct KnownSpeed {
        std::int32_t operStatus = 0;
        std::uint64_t bitsPerSecond = 0;
    };
    std::map<std::int32_t, KnownSpeed> speeds_;
    LinkDumper links_;
};

}  // namespace quorell
