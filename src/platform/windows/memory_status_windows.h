#pragma once

#include "platform/counter_ports.h"

namespace quorell {

// The physical memory from GlobalMemoryStatusEx, whose 64-bit byte counts stay right past 4 GB.
class WindowsMemoryStatus final : public MemoryStatusPort {
public:
    std::optional<MemoryStatus> ReadMemoryStatus() override;
};

}  // namespace quorell
