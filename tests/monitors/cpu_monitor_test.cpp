#include "monitors/cpu_monitor.h"

#include <gtest/gtest.h>

#include "history/history_files.h"
#include "monitors/live_graph.h"
#include "monitors/monitor_rig.h"
#include "sampling/cpu_sampler.h"
#include "support/system_ini_store.h"

namespace quorell {
namespace {

using testing::HistoryValue;
using testing::LabelColour;
using testing::LabelText;

constexpr const char* kCurrent = "显示_当前Cpu使用率";
constexpr const char* kPeak = "显示_最高Cpu使用率";
constexpr const char* kAverage = "显示_平均Cpu使用率";
constexpr const char* kPeakTime = "显示_Cpu最高时间";

class CpuMonitorTest : public ::testing::Test {
protected:
    void Tick(int usage, int second = 5) {
        clock.now.second = second;
        testing::AdvanceCpuSecond(counters, usage);
        monitor.OnCpuTick();
    }

    testing::TempDir directory;
    testing::SystemIniStore store;
    IniFile file{store, HistoryFilePath(directory.Path(), kCpuHistoryFileName)};
    // Counters that ran since boot: the monitor's baseline must keep them out of the first tick.
    FakeCpuCounters counters = [] {
        FakeCpuCounters started;
        started.times = {123'456'789, 987'654'321};
        return started;
    }();
    testing::FakeClock clock;
    CpuSampler sampler{counters};
    Window window{testing::MonitorWindowDesign({kCurrent, kPeak, kAverage, kPeakTime}, "0%", "画板_Cpu")};
    CpuMonitor monitor{window, sampler, clock, file};
};

TEST_F(CpuMonitorTest, FirstTickShowsDrawsAndRecordsButLeavesPeakAndAverage) {
    Tick(99);
    EXPECT_EQ(LabelText(window, kCurrent), "99 %");
    EXPECT_EQ(LabelColour(window, kCurrent), kLevelDanger);
    EXPECT_EQ(LabelText(window, kPeak), "0%");
    EXPECT_EQ(LabelText(window, kAverage), "0%");
    EXPECT_EQ(LabelText(window, kPeakTime), "0:0:0");
    EXPECT_EQ(window.DrawPanel("画板_Cpu").Canvas().Pixel(0, 0), kLevelDanger);
    EXPECT_EQ(HistoryValue(file, "最近", "8"), "99");
    EXPECT_EQ(HistoryValue(file, "全部", "8_A"), "1");
}

TEST_F(CpuMonitorTest, BaselineIsRetakenWhenTheWindowIsCreated) {
    counters.Advance(10'000'000'000, 10'000'000'000);  // a long idle stretch before the window appears
    monitor.OnWindowCreated();
    Tick(64);
    EXPECT_EQ(LabelText(window, kCurrent), "64 %");
}

TEST_F(CpuMonitorTest, AverageTruncatesAndAnEqualPeakMovesItsTime) {
    Tick(50, 1);
    Tick(5, 2);
    EXPECT_EQ(LabelText(window, kAverage), "5 %");
    EXPECT_EQ(LabelText(window, kPeak), "5%");
    Tick(40, 3);
    Tick(40, 4);
    Tick(39, 5);
    EXPECT_EQ(LabelText(window, kPeak), "40%");
    EXPECT_EQ(LabelText(window, kPeakTime), "13-8:30:4");
    EXPECT_EQ(LabelText(window, kAverage), "31 %");           // 124 / 4
    EXPECT_EQ(LabelColour(window, kAverage), Rgb{0x000000});  // never recoloured
    Tick(30);                                                 // keeps the colour of the 39 before it
    EXPECT_EQ(LabelColour(window, kCurrent), kLevelOrdinary);
}

// A failed reading is shown as -1 and drawn, but it is no measurement: the average, the peak and the
// history go on from the samples around it.
TEST_F(CpuMonitorTest, FailedSampleIsShownButNeitherAveragedNorRecorded) {
    Tick(20);
    Tick(40);
    counters.failing = true;
    monitor.OnCpuTick();
    EXPECT_EQ(LabelText(window, kCurrent), "-1 %");
    EXPECT_EQ(LabelColour(window, kCurrent), kLevelNormal);
    EXPECT_EQ(window.DrawPanel("画板_Cpu").Canvas().Pixel(2, 99), kLevelNormal);  // the third column
    EXPECT_EQ(LabelText(window, kAverage), "40 %");
    EXPECT_EQ(LabelText(window, kPeak), "40%");
    EXPECT_EQ(HistoryValue(file, "最近", "8"), "60");
    EXPECT_EQ(HistoryValue(file, "全部", "8_A"), "2");

    counters.failing = false;
    Tick(10);
    EXPECT_EQ(LabelText(window, kAverage), "25 %");
    EXPECT_EQ(HistoryValue(file, "最近", "8_A"), "3");
}

TEST_F(CpuMonitorTest, OneClockReadingStampsBothThePeakAndTheHourSlot) {
    Tick(10);
    clock.now = {2011, 6, 13, 23, 59, 59};
    const int before = clock.reads;
    monitor.OnCpuTick();
    EXPECT_EQ(clock.reads - before, 1);
    EXPECT_EQ(LabelText(window, kPeakTime), "13-23:59:59");
    EXPECT_EQ(HistoryValue(file, "今天", "23"), "13");
}

// A history file that cannot be written (its directory is missing) changes nothing on screen, and a
// hidden window keeps sampling, averaging and drawing past the graph's first scroll.
TEST_F(CpuMonitorTest, UnwritableHistoryAndAHiddenWindowDoNotStopTheDisplay) {
    const auto missing = directory.Path() / "gone" / "Cpu.FDB";
    CpuMonitor hidden(window, sampler, clock, IniFile(store, missing));
    window.SetVisible(false);
    for (int tick = 0; tick < 320; ++tick) {
        testing::AdvanceCpuSecond(counters, tick % 2 == 0 ? 20 : 60);
        hidden.OnCpuTick();
    }
    EXPECT_EQ(hidden.Display().SampleCount(), 319);
    EXPECT_EQ(LabelText(window, kAverage), "40 %");  // 12780 / 319
    EXPECT_EQ(window.DrawPanel("画板_Cpu").Canvas().Pixel(299, 99), kLevelReminder);
    EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
}

}  // namespace
}  // namespace quorell
