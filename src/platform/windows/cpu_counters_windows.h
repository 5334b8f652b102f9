#pragma once

#include "platform/counter_ports.h"

namespace quorell {

// The idle time of all processors together (the system's performance information) and the system
// time (its time-of-day information), both in 100 ns units, from NtQuerySystemInformation.
class WindowsCpuCounters final : public CpuCounterPort {
public:
    std::optional<CpuTimes> ReadCpuTimes() override;
    // Every active logical processor, in all processor groups.
    int OnlineProcessorCount() const override;
};

}  // namespace quorell
