#include "monitors/monitor_display.h"

#include <climits>

#include <gtest/gtest.h>

#include "monitors/monitor_rig.h"

namespace quorell {
namespace {

using testing::LabelText;

constexpr MonitorLayoutNames kNames{
    .currentLabel = "显示_当前流量",
    .peakLabel = "显示_最高流量",
    .peakTimeLabel = "显示_最高时间",
    .averageLabel = "显示_平均流量",
    .drawPanel = "画板_Lan",
    .currentSuffix = "K",
    .peakSuffix = "K",
    .averageSuffix = " %",
};

const DateTime kNoon = MakeDateTime(2011, 6, 13, 12, 0, 0);

TEST(MonitorDisplay, RunningSumPastTwoToTheThirtyOneStaysRight) {
    Window window(testing::NetworkWindowSpec(WindowKind::ReceiveMonitor));
    MonitorDisplay display(window, kNames);
    for (int tick = 0; tick < 4; ++tick) display.ShowTick(INT_MAX, 1, kNoon);
    EXPECT_EQ(display.RunningSum(), 3LL * INT_MAX);
    EXPECT_EQ(display.SampleCount(), 3);
    EXPECT_EQ(LabelText(window, "显示_平均流量"), "2147483647 %");
    display.ShowTick(INT_MIN, 1, kNoon);
    display.ShowTick(INT_MIN, 1, kNoon);
    EXPECT_EQ(LabelText(window, "显示_平均流量"), "429496729 %");  // (3 * (2^31 - 1) - 2^32) / 5
}

TEST(MonitorDisplay, PeakIsReadBackFromWhateverTheLabelHolds) {
    Window window(testing::NetworkWindowSpec(WindowKind::ReceiveMonitor));
    MonitorDisplay display(window, kNames);
    Label& peak = window.Label("显示_最高流量");
    display.ShowTick(10, 100, kNoon);
    display.ShowTick(10, 100, kNoon);
    EXPECT_EQ(peak.Text(), "100K");
    peak.SetText("300K");  // the label is the only record of the peak
    display.ShowTick(10, 200, kNoon);
    EXPECT_EQ(peak.Text(), "300K");
    peak.SetText("K-");  // no leading number reads as 0
    display.ShowTick(10, 0, kNoon);
    EXPECT_EQ(peak.Text(), "0K");
    display.ShowTick(10, -5, kNoon);
    EXPECT_EQ(peak.Text(), "0K");
}

}  // namespace
}  // namespace quorell
