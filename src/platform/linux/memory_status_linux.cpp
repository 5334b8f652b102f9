#include "platform/linux/memory_status_linux.h"

#include "platform/linux/proc_meminfo.h"
#include "platform/linux/proc_text.h"

namespace quorell {

std::optional<MemoryStatus> LinuxMemoryStatus::ReadMemoryStatus() {
    const auto text = ReadProcText("/proc/meminfo");
    if (!text) {
        return std::nullopt;
    }
    return ParseMeminfo(*text);
}

}  // namespace quorell
