#pragma once

#include "platform/counter_ports.h"
#include "platform/linux/proc_text.h"

namespace quorell {

// CPU counters from the aggregate line of /proc/stat.
class LinuxCpuCounters final : public CpuCounterPort {
public:
    std::optional<CpuTimes> ReadCpuTimes() override;
    // The processors listed by the last reading (the kernel lists the online ones), asked of the
    // system before the first reading.
    int OnlineProcessorCount() const override;

private:
    ProcTextFile stat_{"/proc/stat"};
    int listedProcessors_ = 0;
};

}  // namespace quorell
