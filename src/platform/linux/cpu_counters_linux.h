#pragma once

#include "platform/counter_ports.h"
#include "platform/linux/proc_text.h"

namespace quorell {

// CPU counters from /proc/stat: the aggregate line, and the processors the kernel lists (the online
// ones) as the processor count, all from the same reading.
class LinuxCpuCounters final : public CpuCounterPort {
public:
    std::optional<CpuTimes> ReadCpuTimes() override;

private:
    ProcTextFile stat_{"/proc/stat"};
};

}  // namespace quorell
