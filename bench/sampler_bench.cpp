// The cost of one sampler call on this machine's real counters (each monitor makes one per second).
#include <benchmark/benchmark.h>

#include "platform/linux/cpu_counters_linux.h"
#include "platform/linux/interface_table_linux.h"
#include "platform/linux/memory_status_linux.h"
#include "platform/linux/platform_version_linux.h"
#include "sampling/cpu_sampler.h"
#include "sampling/memory_sampler.h"
#include "sampling/network_sampler.h"

namespace quorell {
namespace {

void BM_SampleCpuUsage(benchmark::State& state) {
    LinuxCpuCounters counters;
    CpuSampler sampler(counters);
    sampler.TakeBaseline();
    for (auto _ : state) {
        benchmark::DoNotOptimize(sampler.SampleCpuUsage());
    }
}
BENCHMARK(BM_SampleCpuUsage);

void BM_SampleMemory(benchmark::State& state) {
    LinuxMemoryStatus status;
    MemorySampler sampler(status);
    for (auto _ : state) {
        benchmark::DoNotOptimize(sampler.SampleMemory());
    }
}
BENCHMARK(BM_SampleMemory);

void BM_SampleTraffic(benchmark::State& state) {
    LinuxInterfaceTable interfaces;
    LinuxPlatformVersion version;
    NetworkSampler sampler(interfaces, version);
    sampler.SelectMonitoredRow();
    sampler.TakeBaseline(Direction::Receive);
    for (auto _ : state) {
        benchmark::DoNotOptimize(sampler.SampleTraffic(Direction::Receive, "100"));
    }
}
BENCHMARK(BM_SampleTraffic);

}  // namespace
}  // namespace quorell
