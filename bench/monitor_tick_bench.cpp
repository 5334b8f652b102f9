// The cost of one monitor tick end to end on this machine: the real counters, the window model, the
// graph and the history file in a temporary directory. Each monitor ticks once per second. Wall time is
// measured, since a tick's file writes wait for the disk. The argument is the write-behind delay in
// seconds: 15 as the program runs (the file is replaced once every fifteen ticks, by BM_HistoryFileFlush),
// 0 to replace the file at every write. For medians run with
//   --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "bench_directory.h"

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/layouts/layouts.h"
#include "history/history_files.h"
#include "monitors/cpu_monitor.h"
#include "monitors/memory_monitor.h"
#include "monitors/monitor_display.h"
#include "monitors/network_monitor.h"
#include "platform/linux/clock_linux.h"
#include "platform/linux/cpu_counters_linux.h"
#include "platform/linux/environment_linux.h"
#include "platform/linux/interface_table_linux.h"
#include "platform/linux/memory_status_linux.h"
#include "platform/linux/platform_version_linux.h"
#include "runtime/ini_file.h"
#include "sampling/cpu_sampler.h"
#include "sampling/memory_sampler.h"
#include "sampling/network_sampler.h"
#include "ui_model/controls.h"
#include "ui_model/draw_panel.h"
#include "ui_model/window.h"

namespace quorell {
namespace {

// Write-behind as the benchmark's argument asks, saved and switched off again at the end.
class WriteBehind {
public:
    explicit WriteBehind(const benchmark::State& state) { SetIniWriteBehind(std::chrono::seconds(state.range(0))); }
    ~WriteBehind() {
        FlushIniWrites();
        SetIniWriteBehind(std::chrono::seconds(0));
    }
};

void BM_CpuTick(benchmark::State& state) {
    BenchDirectory directory;
    WriteBehind writeBehind(state);
    LinuxCpuCounters counters;
    LinuxEnvironment environment;
    LinuxClock clock;
    CpuSampler sampler(counters, environment);
    Window window(CpuMonitorLayout());
    CpuMonitor monitor(window, sampler, clock, HistoryFilesIn(directory.Path()).cpu);
    monitor.OnCpuTick();  // the file exists from here on, as in every tick but a run's first
    for (auto _ : state)
        monitor.OnCpuTick();
}
BENCHMARK(BM_CpuTick)->Arg(15)->Arg(0)->UseRealTime();

void BM_MemoryTick(benchmark::State& state) {
    BenchDirectory directory;
    WriteBehind writeBehind(state);
    LinuxMemoryStatus status;
    LinuxClock clock;
    MemorySampler sampler(status);
    Window window(MemoryMonitorLayout());
    MemoryMonitor monitor(window, sampler, clock, HistoryFilesIn(directory.Path()).memory);
    monitor.OnMemoryTick();
    for (auto _ : state)
        monitor.OnMemoryTick();
}
BENCHMARK(BM_MemoryTick)->Arg(15)->Arg(0)->UseRealTime();

void BM_NetworkTick(benchmark::State& state) {
    BenchDirectory directory;
    WriteBehind writeBehind(state);
    LinuxInterfaceTable interfaces;
    LinuxPlatformVersion version;
    LinuxClock clock;
    NetworkSampler sampler(interfaces, version);
    sampler.SelectMonitoredRow();
    Window window(ReceiveMonitorLayout());
    NetworkMonitor monitor(
        window, Direction::Receive, sampler, [] { return std::string("2"); }, clock,
        HistoryFilesIn(directory.Path()).receive);
    monitor.OnWindowCreated();
    monitor.OnNetworkTick();
    for (auto _ : state)
        monitor.OnNetworkTick();
}
BENCHMARK(BM_NetworkTick)->Arg(15)->Arg(0)->UseRealTime();

// One replacement of a grown history file with the ticks' unsaved changes: what the write-behind pays
// once per delay for each file.
void BM_HistoryFileFlush(benchmark::State& state) {
    BenchDirectory directory;
    WriteBehind writeBehind(state);
    LinuxCpuCounters counters;
    LinuxEnvironment environment;
    LinuxClock clock;
    CpuSampler sampler(counters, environment);
    Window window(CpuMonitorLayout());
    CpuMonitor monitor(window, sampler, clock, HistoryFilesIn(directory.Path()).cpu);
    for (auto _ : state) {
        state.PauseTiming();
        monitor.OnCpuTick();
        state.ResumeTiming();
        FlushIniWrites();
    }
}
BENCHMARK(BM_HistoryFileFlush)->Arg(15)->UseRealTime();

// The window side of a tick alone (colour, labels, average, peak, scrolling graph), without sampling
// or history, to tell the monitors' own cost from that of the counters and the files.
void BM_DisplayTick(benchmark::State& state) {
    Window window(CpuMonitorLayout());
    MonitorDisplay display(window, MonitorLayoutNames{"显示_当前Cpu使用率", "显示_最高Cpu使用率", "显示_Cpu最高时间",
                                                      "显示_平均Cpu使用率", "画板_Cpu", " %", "%", " %"});
    const DateTime noon = MakeDateTime(2011, 6, 13, 12, 0, 0);
    std::int32_t value = 0;
    for (int tick = 0; tick < 400; ++tick)
        display.ShowTick(tick % 100, tick % 100, noon);  // scrolling from here
    for (auto _ : state) {
        value = (value + 37) % 101;
        display.ShowTick(value, value, noon);
    }
}
BENCHMARK(BM_DisplayTick);

// The same with an observer on the graph and on every label, as the desktop's views watch them: what
// the notifications of a scrolling tick add.
void BM_DisplayTickObserved(benchmark::State& state) {
    Window window(CpuMonitorLayout());
    MonitorDisplay display(window, MonitorLayoutNames{"显示_当前Cpu使用率", "显示_最高Cpu使用率", "显示_Cpu最高时间",
                                                      "显示_平均Cpu使用率", "画板_Cpu", " %", "%", " %"});
    Rect touched;
    std::int64_t notifications = 0;
    const Subscription graph = window.DrawPanel("画板_Cpu").Canvas().Subscribe([&](const CanvasChange& change) {
        touched = change.area;
        ++notifications;
    });
    std::vector<Subscription> labels;
    for (const auto& control : window.Controls()) {
        if (control->Kind() == ControlKind::Label) {
            labels.push_back(static_cast<Label&>(*control).Subscribe([&](const LabelChange&) { ++notifications; }));
        }
    }
    const DateTime noon = MakeDateTime(2011, 6, 13, 12, 0, 0);
    std::int32_t value = 0;
    for (int tick = 0; tick < 400; ++tick) {
        display.ShowTick(tick % 100, tick % 100, noon);  // scrolling from here
    }
    for (auto _ : state) {
        value = (value + 37) % 101;
        display.ShowTick(value, value, noon);
    }
    benchmark::DoNotOptimize(touched);
    benchmark::DoNotOptimize(notifications);
}
BENCHMARK(BM_DisplayTickObserved);

}  // namespace
}  // namespace quorell
