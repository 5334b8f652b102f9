#include "platform/windows/memory_status_windows.h"

#include <windows.h>

namespace quorell {

std::optional<MemoryStatus> WindowsMemoryStatus::ReadMemoryStatus() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!::GlobalMemoryStatusEx(&status) || status.ullTotalPhys == 0) {
        return std::nullopt;
    }
    MemoryStatus memory;
    memory.totalPhysicalBytes = status.ullTotalPhys;
    memory.availablePhysicalBytes =
        status.ullAvailPhys < status.ullTotalPhys ? status.ullAvailPhys : status.ullTotalPhys;
    memory.loadPercent = static_cast<std::int32_t>(status.dwMemoryLoad);
    return memory;
}

}  // namespace quorell
