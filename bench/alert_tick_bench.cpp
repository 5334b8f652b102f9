// What the alerts add to a second of the whole program: the four monitors' timers ticking through the
// application's one dispatch on this machine's counters, clock and files, as the program runs them. The
// argument chooses the settings file's section 提醒设置 before the start: 0 everything off (as the
// program ships), 1 everything on (every staying-high rule on, with lines the values stay above, and a
// monthly allowance), loaded from the file as the program loads it. The history's write-behind is set
// beyond the run, so no save of a history file falls into the figures. For medians run with
//   --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "bench_directory.h"

#include <chrono>
#include <memory>

#include "app/alert_settings.h"
#include "app/application.h"
#include "app/program_store.h"
#include "app/staying_high_watch.h"
#include "platform/platform_ports.h"
#include "ui_model/ui_model.h"

namespace quorell {
namespace {

// A desktop with a tray that does whatever it is asked and shows nothing.
class QuietDesktop final : public DesktopPort {
public:
    bool AddTrayIcon(const TrayIconData&) override { return true; }
    bool ChangeTrayIcon(const TrayIconData&) override { return true; }
    bool RemoveTrayIcon(int) override { return true; }
    ScreenPoint CursorPosition() const override { return {}; }
    std::optional<std::size_t> PopUpMenu(WindowKind, std::string_view, ScreenPoint) override { return {}; }
    MessageAnswer AskYesNo(std::string_view, std::string_view, MessageIcon) override { return MessageAnswer::No; }
    void ShowFatalError(std::string_view) override {}
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
    bool OpenWebAddress(std::string_view) override { return true; }
    void SetColourKeyTransparency(WindowKind, std::optional<std::uint32_t>) override {}
    std::vector<ScreenRect> Screens() const override { return {{0, 0, 1920, 1080}}; }
    bool TrayHostPresent() const override { return true; }
    void ShowNotice(std::string_view, std::string_view) override { ++notices; }
    void MinimizeWindow(WindowKind) override {}
    void Quit(int) override {}
    int notices = 0;
};

class BenchRunDirectory final : public RunDirectoryPort {
public:
    explicit BenchRunDirectory(std::filesystem::path path) : path_(std::move(path)) {}
    std::filesystem::path RunDirectory() const override { return path_; }

private:
    std::filesystem::path path_;
};

// Every alert on: lines the values stay above (a traffic line of 0 K/s is refused, so 1), and an
// allowance of a gigabyte a month.
AlertSettings EverythingOn() {
    AlertSettings alerts;
    alerts.allowanceMb = 1024;
    alerts.settlementDay = 1;
    for (AlertMetric metric : kAlertMetrics) {
        alerts.Rule(metric) = {true, LineRange(metric).min, static_cast<int>(kSecondsRange.min)};
    }
    return alerts;
}

void BM_SecondOfTicks(benchmark::State& state) {
    BenchDirectory directory;
    const BenchRunDirectory runDirectory(directory.Path());
    PlatformPorts platform = MakePlatformPorts();
    std::unique_ptr<IniStore> store = MakeProgramStore(std::move(platform.files), std::move(platform.gbkCodec));
    if (state.range(0) == 1) {
        StoreAlertSettings(SettingsFile(*store, runDirectory), EverythingOn());
    }
    QuietDesktop desktop;
    Application app(ApplicationPorts{runDirectory, desktop, *platform.clock, *platform.cpuCounters,
                                     *platform.memoryStatus, *platform.interfaceTable, *platform.platformVersion,
                                     *store});
    if (!app.Start()) {
        state.SkipWithError("the application did not start");
        return;
    }
    store->SetWriteBehind(std::chrono::hours(24));
    Timer& cpu = app.GetWindow(WindowKind::CpuMonitor).Timer(names::kCpuMonitor.timer);
    Timer& memory = app.GetWindow(WindowKind::MemoryMonitor).Timer(names::kMemoryMonitor.timer);
    Timer& receive = app.GetWindow(WindowKind::ReceiveMonitor).Timer(names::kNetworkMonitor.timer);
    Timer& send = app.GetWindow(WindowKind::SendMonitor).Timer(names::kNetworkMonitor.timer);
    for (auto _ : state) {
        cpu.Tick();
        memory.Tick();
        receive.Tick();
        send.Tick();
    }
    state.counters["notices"] = desktop.notices;
    store->Flush();
}
// 0: every alert off; 1: every alert on.
BENCHMARK(BM_SecondOfTicks)->Arg(0)->Arg(1);

// The staying-high rules' own share of a second, too small for the whole program's noise: the four
// values, each ten ticks above its line and ten at or below, so with the shortest episodes (five ticks)
// a notice is built every twenty ticks, a harsher mix than any real second. 0: every rule off, 1: on.
void BM_StayingHighSecond(benchmark::State& state) {
    std::int64_t notices = 0;
    StayingHighWatch watch(
        [&notices](const StayingHighNotice& notice) {
            benchmark::DoNotOptimize(notice.text.data());
            ++notices;
        },
        {});
    watch.Reload(state.range(0) == 1 ? EverythingOn() : AlertSettings{});
    const DateTime noon = MakeDateTime(2026, 12, 8, 12, 0, 0);
    int tick = 0;
    for (auto _ : state) {
        const std::int32_t value = (tick++ / 10) % 2 == 0 ? 50 : 0;
        for (AlertMetric metric : kAlertMetrics) {
            watch.OnTick(metric, {value, noon});
        }
    }
    state.counters["notices"] = benchmark::Counter(static_cast<double>(notices), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_StayingHighSecond)->Arg(0)->Arg(1);

}  // namespace
}  // namespace quorell
