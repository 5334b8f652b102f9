#pragma once

#include "platform/counter_ports.h"

namespace quorell {

// CPU counters from the aggregate line of /proc/stat.
class LinuxCpuCounters final : public CpuCounterPort {
public:
    std::optional<CpuTimes> ReadCpuTimes() override;
    int OnlineProcessorCount() const override;
};

}  // namespace quorell
