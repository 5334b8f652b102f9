#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/counter_ports.h"

namespace quorell {

// The aggregate "cpu" line of /proc/stat, in clock ticks, and how many per-processor lines followed.
struct ProcStatCpu {
    enum Field { User, Nice, System, Idle, IoWait, Irq, SoftIrq, Steal, Guest, GuestNice, kFieldCount };
    std::array<std::uint64_t, kFieldCount> ticks{};
    int processorLines = 0;
};

// Nothing when the text has no well-formed aggregate line (at least user, nice, system and idle)
// or no per-processor line.
std::optional<ProcStatCpu> ParseProcStat(std::string_view text);

// The counters in 100 ns units: idle is idle + iowait of all processors; the clock is the line's total
// (every field but guest and guest_nice, which user and nice already hold) per processor, so both come
// from one reading with one granularity; the processor count is the number of per-processor lines the
// clock was divided by. Nothing when ticksPerSecond is not positive.
std::optional<CpuTimes> CpuTimesFromProcStat(const ProcStatCpu& stat, long ticksPerSecond);

}  // namespace quorell
