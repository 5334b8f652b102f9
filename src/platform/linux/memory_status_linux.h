#pragma once

#include "platform/counter_ports.h"
#include "platform/linux/proc_text.h"

namespace quorell {

// The physical memory from /proc/meminfo.
class LinuxMemoryStatus final : public MemoryStatusPort {
public:
    std::optional<MemoryStatus> ReadMemoryStatus() override;

private:
    ProcTextFile meminfo_{"/proc/meminfo"};
};

}  // namespace quorell
