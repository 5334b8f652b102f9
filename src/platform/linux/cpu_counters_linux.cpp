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
    listedProcessors_ = stat->processorLines;
    return CpuTimesFromProcStat(*stat, ::sysconf(_SC_CLK_TCK));
}

int LinuxCpuCounters::OnlineProcessorCount() const {
    if (listedProcessors_ > 0) {
        return listedProcessors_;
    }
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? static_cast<int>(online) : 0;
}

}  // namespace quorell
