#include "monitors/memory_monitor.h"

#include <gtest/gtest.h>

#include "history/history_files.h"
#include "monitors/live_graph.h"
#include "monitors/monitor_rig.h"
#include "sampling/memory_sampler.h"

namespace quorell {
namespace {

using testing::FakeClock;
using testing::LabelColour;
using testing::LabelText;
using testing::SetMemory;
using testing::HistoryValue;

constexpr const char* kCurrent = "显示_当前内存";
constexpr const char* kPeak = "显示_最高内存";
constexpr const char* kAverage = "显示_平均内存";
constexpr const char* kPeakTime = "显示_最高时间";

class MemoryMonitorTest : public ::testing::Test {
protected:
    void Tick(std::int32_t load, std::uint64_t usedMegabytes) {
        SetMemory(status, load, usedMegabytes);
        monitor.OnMemoryTick();
    }

    testing::TempDir directory;
    std::filesystem::path file = HistoryFilePath(directory.Path(), kMemoryHistoryFileName);
    FakeMemoryStatus status;
    FakeClock clock;
    MemorySampler sampler{status};
    Window window{testing::MemoryWindowSpec()};
    MemoryMonitor monitor{window, sampler, clock, file};
};

TEST_F(MemoryMonitorTest, FirstTickShowsMegabytesInTheLoadColourAndRecordsTheLoad) {
    Tick(45, 1500);
    EXPECT_EQ(LabelText(window, kCurrent), "1500M");
    EXPECT_EQ(LabelColour(window, kCurrent), kLevelOrdinary);
    EXPECT_EQ(LabelText(window, kPeak), "0M");
    EXPECT_EQ(LabelText(window, kAverage), "0%");
    EXPECT_EQ(LabelText(window, kPeakTime), "0:0:0");
    EXPECT_EQ(HistoryValue(file, "最近", "8"), "45");  // the load, not the megabytes
    EXPECT_EQ(HistoryValue(file, "全部", "8_A"), "1");
}

TEST_F(MemoryMonitorTest, PeakFollowsMegabytesWhileTheAverageFollowsTheLoad) {
    Tick(45, 1500);
    clock.Set(2011, 6, 12, 9, 5, 0);
    Tick(46, 1498);  // "0M" reads as 0, so the first counted tick is the peak
    EXPECT_EQ(LabelText(window, kAverage), "46%");
    EXPECT_EQ(LabelText(window, kPeak), "1498M");
    EXPECT_EQ(LabelText(window, kPeakTime), "12-9:5:0");

    clock.Set(2011, 6, 12, 9, 5, 1);
    Tick(47, 1498);  // equal: the time moves
    EXPECT_EQ(LabelText(window, kPeakTime), "12-9:5:1");
    EXPECT_EQ(LabelText(window, kAverage), "46%");  // 93 / 2

    clock.Set(2011, 6, 12, 9, 5, 2);
    Tick(10, 1490);  // lower: the peak labels stay, in their colour
    EXPECT_EQ(LabelText(window, kPeak), "1498M");
    EXPECT_EQ(LabelText(window, kPeakTime), "12-9:5:1");
    EXPECT_EQ(LabelColour(window, kPeak), kLevelOrdinary);
    EXPECT_EQ(LabelColour(window, kCurrent), kLevelNormal);
    EXPECT_EQ(HistoryValue(file, "最近", "9"), "103");
    EXPECT_EQ(HistoryValue(file, "最近", "9_A"), "3");
}

TEST_F(MemoryMonitorTest, HighLoadColoursTheMegabyteLabelRed) {
    Tick(95, 7000);
    EXPECT_EQ(LabelText(window, kCurrent), "7000M");
    EXPECT_EQ(LabelColour(window, kCurrent), kLevelDanger);
    EXPECT_EQ(window.DrawPanel("画板_内存").Canvas().Pixel(0, 99), kLevelDanger);
}

TEST_F(MemoryMonitorTest, AFailedMemoryQueryRepeatsTheLastReading) {
    Tick(45, 1500);
    status.status.reset();
    monitor.OnMemoryTick();
    EXPECT_EQ(LabelText(window, kCurrent), "1500M");
    EXPECT_EQ(LabelText(window, kAverage), "45%");
    EXPECT_EQ(HistoryValue(file, "最近", "8"), "90");
}

}  // namespace
}  // namespace quorell
