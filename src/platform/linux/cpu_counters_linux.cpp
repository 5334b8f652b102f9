#include "platform/linux/cpu_counters_linux.h"

#include <unistd.h>

#include "platform/linux/proc_stat.h"
#include "platform/linux/proc_text.h"

namespace quorell {

std::optional<CpuTimes> LinuxCpuCounters::ReadCpuTimes() {
    const auto text = ReadProcText("/proc/stat");
    if (!text) {
        return std::nullopt;
    }
    const auto stat = ParseProcStat(*text);
    if (!stat) {
        return std::nullopt;
    }
    return CpuTimesFromProcStat(*stat, ::sysconf(_SC_CLK_TCK));
}

int LinuxCpuCounters::OnlineProcessorCount() const {
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? static_cast<int>(online) : 0;
}

}  // namespace quorell
