// Prints what the samplers measure on this machine, for the accuracy check
// (scripts/check-sampler-accuracy.sh), which compares it with mpstat and free.
//   sampler_probe cpu SECONDS   one line per second: "<unix time in ms> <CPU usage %>"
//   sampler_probe memory        one line: "<load %> <used megabytes> <used bytes>"
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "platform/linux/cpu_counters_linux.h"
#include "platform/linux/memory_status_linux.h"
#include "sampling/cpu_sampler.h"
#include "sampling/memory_sampler.h"

namespace {

int ProbeCpu(int seconds) {
    quorell::LinuxCpuCounters counters;
    quorell::CpuSampler sampler(counters);
    sampler.TakeBaseline();
    const auto start = std::chrono::steady_clock::now();
    for (int tick = 1; tick <= seconds; ++tick) {
        std::this_thread::sleep_until(start + std::chrono::seconds(tick));
        const int usage = sampler.SampleCpuUsage();
        const auto now =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch());
        std::printf("%lld %d\n", static_cast<long long>(now.count()), usage);
        std::fflush(stdout);
    }
    return 0;
}

int ProbeMemory() {
    quorell::LinuxMemoryStatus status;
    const auto reading = status.ReadMemoryStatus();
    if (!reading) {
        std::fprintf(stderr, "cannot read the memory status\n");
        return 1;
    }
    const quorell::MemorySample sample = quorell::MemorySampleFrom(*reading);
    std::printf("%d %d %llu\n", sample.loadPercent, sample.usedMegabytes,
                static_cast<unsigned long long>(reading->totalPhysicalBytes - reading->availablePhysicalBytes));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (mode == "cpu" && argc > 2) {
        return ProbeCpu(std::atoi(argv[2]));
    }
    if (mode == "memory") {
        return ProbeMemory();
    }
    std::fprintf(stderr, "usage: %s cpu SECONDS | memory\n", argv[0]);
    return 2;
}
