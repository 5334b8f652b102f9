#include "monitors/memory_monitor.h"

#include <gtest/gtest.h>

#include "history/history_files.h"
#include "monitors/live_graph.h"
#include "monitors/monitor_rig.h"
#include "sampling/memory_sampler.h"
#include "support/system_ini_store.h"

namespace quorell {
namespace {

using testing::LabelColour;
using testing::LabelText;

constexpr const char* kCurrent = "显示_当前内存";
constexpr const char* kPeak = "显示_最高内存";
constexpr const char* kAverage = "显示_平均内存";
constexpr const char* kPeakTime = "显示_最高时间";

// Megabytes in the current and peak labels; the load in the colour, the average, the graph and the file.
TEST(MemoryMonitor, LabelsShowMegabytesWhileEverythingElseFollowsTheLoad) {
    testing::TempDir directory;
    testing::SystemIniStore store;
    const IniFile file(store, HistoryFilePath(directory.Path(), kMemoryHistoryFileName));
    FakeMemoryStatus status;
    testing::FakeClock clock;
    MemorySampler sampler(status);
    Window window(testing::MonitorWindowDesign({kCurrent, kPeak, kAverage, kPeakTime}, "0M", "画板_内存"));
    window.Label(kAverage).SetText("0%");
    MemoryMonitor monitor(window, sampler, clock, file);
    auto tick = [&](std::int32_t load, std::uint64_t megabytes, int second) {
        testing::SetMemory(status, load, megabytes);
        clock.now.second = second;
        monitor.OnMemoryTick();
    };

    tick(45, 1500, 0);
    EXPECT_EQ(LabelText(window, kCurrent), "1500M");
    EXPECT_EQ(LabelColour(window, kCurrent), kLevelOrdinary);
    EXPECT_EQ(LabelText(window, kPeak), "0M");
    EXPECT_EQ(LabelText(window, kAverage), "0%");
    tick(46, 1498, 1);
    EXPECT_EQ(LabelText(window, kAverage), "46%");
    EXPECT_EQ(LabelText(window, kPeak), "1498M");
    tick(95, 1498, 2);  // equal: the time moves
    EXPECT_EQ(LabelText(window, kPeakTime), "13-8:30:2");
    EXPECT_EQ(LabelColour(window, kCurrent), kLevelDanger);
    tick(10, 1490, 3);
    EXPECT_EQ(LabelText(window, kPeakTime), "13-8:30:2");
    EXPECT_EQ(LabelText(window, kAverage), "50%");  // 151 / 3
    EXPECT_EQ(testing::HistoryValue(file, "最近", "8"), "196");
    EXPECT_EQ(testing::HistoryValue(file, "最近", "8_A"), "4");
}

}  // namespace
}  // namespace quorell
