#include "platform/linux/proc_stat.h"

#include <charconv>
#include <limits>

namespace quorell {

namespace {

constexpr std::uint64_t kHundredNanosecondsPerSecond = 10000000;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The next unsigned decimal of `line` after blanks; false at the end of the line or on anything else.
bool NextNumber(std::string_view& line, std::uint64_t& value) {
    std::size_t at = 0;
    while (at < line.size() && IsBlank(line[at])) {
        ++at;
    }
    if (at == line.size()) {
        return false;
    }
    const char* begin = line.data() + at;
    const char* end = line.data() + line.size();
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || (stop != end && !IsBlank(*stop))) {
        return false;
    }
    line.remove_prefix(static_cast<std::size_t>(stop - line.data()));
    return true;
}

bool IsProcessorLine(std::string_view line) {
    return line.size() > 3 && line.substr(0, 3) == "cpu" && line[3] >= '0' && line[3] <= '9';
}

std::uint64_t TicksTo100ns(std::uint64_t ticks, std::uint64_t hz) {
    // Split so that ticks x 10^7 cannot overflow on a long-running machine with many processors.
    return ticks / hz * kHundredNanosecondsPerSecond + ticks % hz * kHundredNanosecondsPerSecond / hz;
}

std::int64_t ToSigned(std::uint64_t value) {
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(value > kMax ? kMax : value);
}

}  // namespace

std::optional<ProcStatCpu> ParseProcStat(std::string_view text) {
    ProcStatCpu stat;
    bool haveAggregate = false;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);

        if (IsProcessorLine(line)) {
            ++stat.processorLines;
        } else if (line.size() > 3 && line.substr(0, 3) == "cpu" && IsBlank(line[3]) && !haveAggregate) {
            line.remove_prefix(3);
            int fields = 0;
            std::uint64_t value = 0;
            while (fields < ProcStatCpu::kFieldCount && NextNumber(line, value)) {
                stat.ticks[static_cast<std::size_t>(fields++)] = value;
            }
            if (fields <= ProcStatCpu::Idle) {
                return std::nullopt;
            }
            haveAggregate = true;
        }
    }
    if (!haveAggregate || stat.processorLines == 0) {
        return std::nullopt;
    }
    return stat;
}

std::optional<CpuTimes> CpuTimesFromProcStat(const ProcStatCpu& stat, long ticksPerSecond) {
    if (ticksPerSecond <= 0 || stat.processorLines <= 0) {
        return std::nullopt;
    }
    const auto hz = static_cast<std::uint64_t>(ticksPerSecond);
    const auto& t = stat.ticks;
    const std::uint64_t idle = t[ProcStatCpu::Idle] + t[ProcStatCpu::IoWait];
    std::uint64_t total = 0;
    for (int field = ProcStatCpu::User; field <= ProcStatCpu::Steal; ++field) {
        total += t[static_cast<std::size_t>(field)];
    }
    CpuTimes times;
    times.idleTime = ToSigned(TicksTo100ns(idle, hz));
    times.systemTime = ToSigned(TicksTo100ns(total, hz) / static_cast<std::uint64_t>(stat.processorLines));
    times.processorCount = stat.processorLines;
    return times;
}

}  // namespace quorell
