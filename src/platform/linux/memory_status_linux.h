#pragma once

#include "platform/counter_ports.h"

namespace quorell {

// The physical memory from /proc/meminfo.
class LinuxMemoryStatus final : public MemoryStatusPort {
public:
    std::optional<MemoryStatus> ReadMemoryStatus() override;
};

}  // namespace quorell
