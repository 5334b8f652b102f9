// The cost of one sampler call on this machine's real counters (each monitor makes one per second).
#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

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

// One network tick as the program runs it: the receive and the send monitor sample one after the other,
// and the table read for the first serves the second.
void BM_NetworkTickBothDirections(benchmark::State& state) {
    LinuxInterfaceTable interfaces;
    LinuxPlatformVersion version;
    NetworkSampler sampler(interfaces, version, TableReuse::BetweenMonitors());
    sampler.SelectMonitoredRow();
    sampler.TakeBaseline(Direction::Receive);
    sampler.TakeBaseline(Direction::Send);
    for (auto _ : state) {
        state.PauseTiming();
        std::this_thread::sleep_for(std::chrono::milliseconds(101));  // a new tick: the last table is stale
        state.ResumeTiming();
        benchmark::DoNotOptimize(sampler.SampleTraffic(Direction::Receive, "100"));
        benchmark::DoNotOptimize(sampler.SampleTraffic(Direction::Send, "100"));
    }
}
BENCHMARK(BM_NetworkTickBothDirections)->Iterations(200);

}  // namespace
}  // namespace quorell
