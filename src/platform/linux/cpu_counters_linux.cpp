#include "platform/linux/cpu_counters_linux.h"

#include <unistd.h>

#include "platform/linux/proc_stat.h"

namespace quorell {

std::optional<CpuTimes> LinuxCpuCounters::ReadCpuTimes() {
    const auto text = stat_.Read();
    if (!text) {
        return std::nullopt;
    }
    const auto stat = ParseProcStat(*text);
    if (!stat) {
        return std::nullopt;
    }
    return CpuTimesFromProcStat(*stat, ::sysconf(_SC_CLK_TCK));
}

}  // namespace quorell
