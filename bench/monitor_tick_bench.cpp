// The cost of one monitor tick end to end on this machine: the real counters, the window model, the
// graph and the history file in a temporary directory. Each monitor ticks once per second. Wall time is
// measured, since a tick's file writes wait for the disk. The argument is the write-behind delay in
// seconds: 15 as the program runs (the file is replaced once every fifteen ticks, by BM_HistoryFileFlush),
// 0 to replace the file at every write. For medians run with
//   --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "bench_directory.h"

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/allowance_watch.h"
#include "app/layouts/layouts.h"
#include "history/history_files.h"
#include "monitors/cpu_monitor.h"
#include "monitors/memory_monitor.h"
#include "monitors/monitor_display.h"
#include "monitors/network_monitor.h"
#include "platform/linux/clock_linux.h"
#include "platform/linux/cpu_counters_linux.h"
#include "platform/linux/interface_table_linux.h"
#include "platform/linux/memory_status_linux.h"
#include "platform/linux/platform_version_linux.h"
#include "platform/system_files.h"
#include "runtime/ini_store.h"
#include "sampling/cpu_sampler.h"
#include "sampling/memory_sampler.h"
#include "sampling/network_sampler.h"
#include "ui_model/controls.h"
#include "ui_model/draw_panel.h"
#include "ui_model/window.h"

namespace quorell {
namespace {

// A store with the write-behind that the benchmark's argument asks for, saved at the end.
class WriteBehind {
public:
    explicit WriteBehind(const benchmark::State& state) { store.SetWriteBehind(std::chrono::seconds(state.range(0))); }
    ~WriteBehind() { store.Flush(); }
    IniStore store{MakeSystemFileAccess(), MakeSystemGbkCodec()};
};

void BM_CpuTick(benchmark::State& state) {
    BenchDirectory directory;
    WriteBehind writeBehind(state);
    LinuxCpuCounters counters;
    LinuxClock clock;
    CpuSampler sampler(counters);
    Window window(CpuMonitorLayout());
    CpuMonitor monitor(window, sampler, clock, HistoryFilesIn(writeBehind.store, directory.Path()).cpu);
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
    MemoryMonitor monitor(window, sampler, clock, HistoryFilesIn(writeBehind.store, directory.Path()).memory);
    monitor.OnMemoryTick();
    for (auto _ : state)
        monitor.OnMemoryTick();
}
BENCHMARK(BM_MemoryTick)->Arg(15)->Arg(0)->UseRealTime();

// The receive monitor on this machine's watched interface, its history going to `file`, created.
struct BenchNetworkMonitor {
    explicit BenchNetworkMonitor(IniFile file)
        : monitor(window, Direction::Receive, sampler, [] { return std::string("2"); }, clock, std::move(file)) {
        sampler.SelectMonitoredRow();
        monitor.OnWindowCreated();
    }
    LinuxInterfaceTable interfaces;
    LinuxPlatformVersion version;
    LinuxClock clock;
    NetworkSampler sampler{interfaces, version};
    Window window{ReceiveMonitorLayout()};
    NetworkMonitor monitor;
};

void BM_NetworkTick(benchmark::State& state) {
    BenchDirectory directory;
    WriteBehind writeBehind(state);
    BenchNetworkMonitor network(HistoryFilesIn(writeBehind.store, directory.Path()).receive);
    NetworkMonitor& monitor = network.monitor;
    monitor.OnNetworkTick();
    for (auto _ : state)
        monitor.OnNetworkTick();
}
BENCHMARK(BM_NetworkTick)->Arg(15)->Arg(0)->UseRealTime();

// A watch of the monthly allowance (5 GB) over the bench's files, its tip line kept as the main window
// logic keeps it: compared first, the tray touched only when it changed.
struct BenchAllowance {
    BenchAllowance(IniStore& store, const BenchDirectory& directory)
        : files(HistoryFilesIn(store, directory.Path())) {
        watch.Reload(AlertSettings{.allowanceMb = 5120});
    }
    HistoryFiles files;
    std::string tipLine;
    std::int64_t tipChanges = 0;
    AllowanceWatch watch{files.receive, files.send,
                         AllowanceWatch::Outlets{[this](const std::string& line) {
                                                     if (line != tipLine) {
                                                         tipLine = line;
                                                         ++tipChanges;
                                                     }
                                                 },
                                                 [](const std::string&, const std::string&, const std::string&) {}}};
};

// The network tick as the program runs it, one event each, with the write-behind of the program;
// argument 1 with a monthly allowance set (its period keys, tip line and shares follow the tick's K),
// 0 without. The difference is what the allowance adds to a tick.
void BM_NetworkTickEvent(benchmark::State& state) {
    BenchDirectory directory;
    IniStore store(MakeSystemFileAccess(), MakeSystemGbkCodec());
    store.SetWriteBehind(std::chrono::seconds(15));
    BenchAllowance allowance(store, directory);
    BenchNetworkMonitor network(allowance.files.receive);
    NetworkMonitor& monitor = network.monitor;
    const bool withAllowance = state.range(0) == 1;
    const auto tick = [&] {
        const IniEventScope event(store);
        monitor.OnNetworkTick();
        if (withAllowance) {
            allowance.watch.OnNetworkTick(Direction::Receive, monitor.LastSample().kValue, monitor.LastTickTime());
        }
    };
    tick();
    for (auto _ : state)
        tick();
    store.Flush();
    benchmark::DoNotOptimize(allowance.tipChanges);
}
BENCHMARK(BM_NetworkTickEvent)->Arg(0)->Arg(1)->UseRealTime();

// The allowance's part of a receive tick alone, each in an event of its own (so it also pays the check of
// the file that the monitor's part of the event would have paid): at most what it adds to a tick.
void BM_AllowanceTick(benchmark::State& state) {
    BenchDirectory directory;
    IniStore store(MakeSystemFileAccess(), MakeSystemGbkCodec());
    store.SetWriteBehind(std::chrono::seconds(15));
    BenchAllowance allowance(store, directory);
    LinuxClock clock;
    const DateTime now = MakeDateTime(clock.LocalNow());
    allowance.watch.OnNetworkTick(Direction::Send, 3, now);
    for (auto _ : state) {
        const IniEventScope event(store);
        allowance.watch.OnNetworkTick(Direction::Receive, 3, now);
    }
    store.Flush();
}
BENCHMARK(BM_AllowanceTick);

// One save of a history file with a delay's worth of unsaved ticks: what the write-behind pays once per
// delay for each file, between two events.
void MeasureSave(benchmark::State& state, IniStore& store, const std::function<void()>& tick) {
    for (int second = 0; second < 3600; ++second) {
        tick();  // an hour of samples, so the file has its usual size
    }
    store.Flush();
    for (auto _ : state) {
        state.PauseTiming();
        for (int second = 0; second < 15; ++second) {
            tick();
        }
        state.ResumeTiming();
        store.Flush();
    }
}

void BM_HistoryFileSave(benchmark::State& state) {
    BenchDirectory directory;
    IniStore store(MakeSystemFileAccess(), MakeSystemGbkCodec());
    store.SetWriteBehind(std::chrono::seconds(15));
    const HistoryFiles files = HistoryFilesIn(store, directory.Path());
    LinuxCpuCounters counters;
    LinuxMemoryStatus status;
    LinuxInterfaceTable interfaces;
    LinuxPlatformVersion version;
    LinuxClock clock;
    CpuSampler cpuSampler(counters);
    MemorySampler memorySampler(status);
    NetworkSampler networkSampler(interfaces, version);
    networkSampler.SelectMonitoredRow();
    Window cpuWindow(CpuMonitorLayout());
    Window memoryWindow(MemoryMonitorLayout());
    Window networkWindow(ReceiveMonitorLayout());
    CpuMonitor cpu(cpuWindow, cpuSampler, clock, files.cpu);
    MemoryMonitor memory(memoryWindow, memorySampler, clock, files.memory);
    NetworkMonitor network(
        networkWindow, state.range(0) == 2 ? Direction::Receive : Direction::Send, networkSampler,
        [] { return std::string("2"); }, clock, state.range(0) == 2 ? files.receive : files.send);
    network.OnWindowCreated();
    switch (state.range(0)) {
        case 0:
            MeasureSave(state, store, [&] { cpu.OnCpuTick(); });
            break;
        case 1:
            MeasureSave(state, store, [&] { memory.OnMemoryTick(); });
            break;
        default:
            MeasureSave(state, store, [&] { network.OnNetworkTick(); });
            break;
    }
}
// 0: "Cpu.FDB", 1: "内存.FDB", 2: "接收.FDB", 3: "发送.FDB".
BENCHMARK(BM_HistoryFileSave)->DenseRange(0, 3)->UseRealTime();

// The window side of a tick alone (colour, labels, average, peak, scrolling graph), without sampling
// or history, to tell the monitors' own cost from that of the counters and the files.
void BM_DisplayTick(benchmark::State& state) {
    Window window(CpuMonitorLayout());
    MonitorDisplay display(window, MonitorLayoutNames{names::kCpuMonitor, " %", "%", " %"});
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
    MonitorDisplay display(window, MonitorLayoutNames{names::kCpuMonitor, " %", "%", " %"});
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
