#pragma once

#include "platform/counter_ports.h"

namespace quorell {

// The idle time of all processors together (the system's performance information) and the system
// time (its time-of-day information), both in 100 ns units, from NtQuerySystemInformation.
// NUMBER_OF_PROCESSORS when it names a positive count, else the active logical processors.
int ProcessorCount();

class WindowsCpuCounters final : public CpuCounterPort {
public:
    // The processor count is NUMBER_OF_PROCESSORS, the count that the system's idle time is summed
    // over, else every active logical processor in all processor groups.
    std::optional<CpuTimes> ReadCpuTimes() override;
};

}  // namespace quorell
