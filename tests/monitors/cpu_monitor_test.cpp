#include "monitors/cpu_monitor.h"

#include <gtest/gtest.h>

#include "history/history_files.h"
#include "monitors/live_graph.h"
#include "monitors/monitor_rig.h"
#include "sampling/cpu_sampler.h"

namespace quorell {
namespace {

using testing::AdvanceCpuSecond;
using testing::FakeClock;
using testing::LabelColour;
using testing::LabelText;
using testing::HistoryValue;

constexpr const char* kCurrent = "显示_当前Cpu使用率";
constexpr const char* kPeak = "显示_最高Cpu使用率";
constexpr const char* kAverage = "显示_平均Cpu使用率";
constexpr const char* kPeakTime = "显示_Cpu最高时间";

class CpuMonitorTest : public ::testing::Test {
protected:
    // Runs one tick whose sampled usage is `usage`.
    void Tick(int usage) {
        AdvanceCpuSecond(counters, usage);
        monitor.OnCpuTick();
    }
    const Canvas& Panel() const { return window.DrawPanel("画板_Cpu").Canvas(); }

    testing::TempDir directory;
    std::filesystem::path file = HistoryFilePath(directory.Path(), kCpuHistoryFileName);
    // Counters that already ran since boot: the monitor's baseline must hide them from the first tick.
    FakeCpuCounters counters = [] {
        FakeCpuCounters started;
        started.times = {123'456'789, 987'654'321};
        return started;
    }();
    FakeEnvironment environment;
    FakeClock clock;
    CpuSampler sampler{counters, environment};
    Window window{testing::CpuWindowSpec()};
    CpuMonitor monitor{window, sampler, clock, file};
};

TEST_F(CpuMonitorTest, FirstTickShowsDrawsAndRecordsButLeavesPeakAndAverage) {
    Tick(99);
    EXPECT_EQ(LabelText(window, kCurrent), "99 %");
    EXPECT_EQ(LabelColour(window, kCurrent), kLevelDanger);
    EXPECT_EQ(LabelText(window, kPeak), "0%");
    EXPECT_EQ(LabelText(window, kAverage), "0%");
    EXPECT_EQ(LabelText(window, kPeakTime), "0:0:0");
    EXPECT_EQ(Panel().Pixel(0, 0), kLevelDanger);
    EXPECT_EQ(monitor.Display().GraphColumn(), 1);
    EXPECT_EQ(HistoryValue(file, "最近", "8"), "99");
    EXPECT_EQ(HistoryValue(file, "最近", "8_A"), "1");
    EXPECT_EQ(HistoryValue(file, "全部", "8"), "99");
    EXPECT_EQ(HistoryValue(file, "今天", "8"), "13");
}

TEST_F(CpuMonitorTest, BaselineAtCreationMakesTheFirstTickMeasureItsOwnSecond) {
    // The counters before construction say "idle since boot"; only the second after it counts.
    Tick(7);
    EXPECT_EQ(LabelText(window, kCurrent), "7 %");
    counters.Advance(10'000'000'000, 10'000'000'000);  // a long idle stretch before the window appears
    monitor.OnWindowCreated();
    Tick(64);
    EXPECT_EQ(LabelText(window, kCurrent), "64 %");
}

TEST_F(CpuMonitorTest, LaterTicksEnterTheTruncatedAverageAndAnEqualPeakMovesItsTime) {
    Tick(50);
    clock.Set(2011, 6, 6, 21, 47, 3);
    Tick(5);
    EXPECT_EQ(LabelText(window, kAverage), "5 %");
    EXPECT_EQ(LabelText(window, kPeak), "5%");
    EXPECT_EQ(LabelText(window, kPeakTime), "6-21:47:3");
    EXPECT_EQ(LabelColour(window, kPeak), kLevelNormal);

    clock.Set(2011, 6, 6, 21, 47, 4);
    Tick(40);
    clock.Set(2011, 6, 6, 21, 47, 5);
    Tick(40);
    EXPECT_EQ(LabelText(window, kPeak), "40%");
    EXPECT_EQ(LabelText(window, kPeakTime), "6-21:47:5");
    EXPECT_EQ(LabelText(window, kAverage), "28 %");  // 85 / 3
    EXPECT_EQ(LabelColour(window, kAverage), Rgb{0x000000});  // never recoloured

    clock.Set(2011, 6, 6, 21, 47, 6);
    Tick(39);
    EXPECT_EQ(LabelText(window, kPeak), "40%");
    EXPECT_EQ(LabelText(window, kPeakTime), "6-21:47:5");
}

TEST_F(CpuMonitorTest, ThirtyKeepsTheColourOfThePreviousTick) {
    Tick(10);
    Tick(30);
    EXPECT_EQ(LabelColour(window, kCurrent), kLevelNormal);
    EXPECT_EQ(LabelColour(window, kPeak), kLevelNormal);  // 30 became the peak in the kept colour
    Tick(45);
    Tick(30);
    EXPECT_EQ(LabelColour(window, kCurrent), kLevelOrdinary);
    EXPECT_EQ(Panel().Pixel(3, 99), kLevelOrdinary);
}

TEST_F(CpuMonitorTest, AFailedSampleIsShownAveragedAndRecordedButNeverThePeak) {
    Tick(20);
    counters.failing = true;
    monitor.OnCpuTick();
    EXPECT_EQ(LabelText(window, kCurrent), "-1 %");
    EXPECT_EQ(LabelColour(window, kCurrent), kLevelNormal);
    EXPECT_EQ(LabelText(window, kPeak), "0%");
    EXPECT_EQ(LabelText(window, kAverage), "-1 %");
    EXPECT_EQ(HistoryValue(file, "最近", "8"), "19");
    EXPECT_EQ(HistoryValue(file, "最近", "8_A"), "2");
}

TEST_F(CpuMonitorTest, EachTickReadsTheClockOnceAndRecordsInThatHour) {
    Tick(10);
    clock.Set(2011, 6, 13, 23, 59, 59);
    const int before = clock.reads;
    Tick(60);  // becomes the peak: the time label and the hour slot come from the same reading
    EXPECT_EQ(clock.reads - before, 1);
    EXPECT_EQ(LabelText(window, kPeakTime), "13-23:59:59");
    EXPECT_EQ(HistoryValue(file, "最近", "23"), "60");
    EXPECT_EQ(HistoryValue(file, "今天", "23"), "13");
}

// A history file that cannot be written (its directory is missing) changes nothing on screen; the
// window, hidden or not, keeps sampling, averaging and drawing.
TEST_F(CpuMonitorTest, UnwritableHistoryAndAHiddenWindowDoNotStopTheDisplay) {
    const auto missing = directory.Path() / "gone" / "Cpu.FDB";
    CpuMonitor hidden(window, sampler, clock, missing);
    window.SetVisible(false);
    const int ticks = 320;  // past the first scroll of the graph
    for (int tick = 0; tick < ticks; ++tick) {
        clock.now.minute = tick / 60;
        clock.now.second = tick % 60;
        AdvanceCpuSecond(counters, tick % 2 == 0 ? 20 : 60);
        hidden.OnCpuTick();
    }
    EXPECT_EQ(hidden.Display().SampleCount(), ticks - 1);
    EXPECT_EQ(LabelText(window, kAverage), "40 %");  // 12780 / 319
    EXPECT_EQ(LabelText(window, kPeak), "60%");
    EXPECT_EQ(LabelText(window, kPeakTime), "13-8:5:19");
    EXPECT_EQ(Panel().Pixel(299, 99), kLevelReminder);
    EXPECT_EQ(Panel().Pixel(298, 30), Canvas::kBackground);  // a 20 next to the last 60
    EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
}

}  // namespace
}  // namespace quorell
