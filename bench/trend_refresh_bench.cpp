// One refresh of a traffic page of the trend window (79 key reads, two charts, eight labels) on a real,
// fully grown history file in a temporary directory.

#include <benchmark/benchmark.h>

#include "bench_directory.h"

#include <filesystem>
#include <random>
#include <string>

#include "app/layouts/layouts.h"
#include "history/history_files.h"
#include "history/traffic_history.h"
#include "platform/system_files.h"
#include "runtime/date_time.h"
#include "runtime/ini_store.h"
#include "trend/trend_window.h"
#include "ui_model/window.h"

namespace quorell {
namespace {

// Two days and a year change of ticks, so that every key a traffic file can hold is present.
void GrowTrafficFile(const IniFile& file) {
    for (int hour = 0; hour < 48; ++hour) {
        const int day = 30 + hour / 24;
        const DateTime now =
            day == 30 ? MakeDateTime(2011, 12, 31, hour % 24, 10, 5) : MakeDateTime(2012, 1, 1, hour % 24, 10, 5);
        RecordTrafficSample(file, 1000 + hour * 37, now);
        RecordTrafficSample(file, 2000 + hour, DateTime{now.value + 1.0 / 86400});
    }
}

void BM_TrafficPageRefresh(benchmark::State& state) {
    BenchDirectory directory;
    IniStore store(MakeSystemFileAccess(), MakeSystemGbkCodec());
    const HistoryFiles files = HistoryFilesIn(store, directory.Path());
    GrowTrafficFile(files.receive);
    Window window(TrendWindowLayout());
    TrendStatistics trend(window, files);
    for (auto _ : state) {
        trend.RefreshTrafficPage(Direction::Receive);
    }
}
BENCHMARK(BM_TrafficPageRefresh)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorell
