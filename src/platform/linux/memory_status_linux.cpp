#include "platform/linux/memory_status_linux.h"

#include "platform/linux/proc_meminfo.h"

namespace quorell {

std::optional<MemoryStatus> LinuxMemoryStatus::ReadMemoryStatus() {
    const auto text = meminfo_.Read();
    if (!text) {
        return std::nullopt;
    }
    return ParseMeminfo(*text);
}

}  // namespace quorell
