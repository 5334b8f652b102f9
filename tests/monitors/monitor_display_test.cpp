#include "monitors/monitor_display.h"

#include <climits>

#include <gtest/gtest.h>

#include "monitors/monitor_rig.h"

namespace quorell {
namespace {

TEST(MonitorDisplay, RunningSumPastTwoToTheThirtyOneStaysRight) {
    Window window(testing::MonitorWindowDesign({"当前", "最高", "平均", "时间"}, "0K", "画板"));
    MonitorDisplay display(window, {{"当前", "最高", "时间", "平均", "画板", "时钟"}, "K", "K", " %"});
    const DateTime noon = MakeDateTime(2011, 6, 13, 12, 0, 0);
    for (int tick = 0; tick < 4; ++tick)
        display.ShowTick(INT_MAX, 1, noon);
    EXPECT_EQ(display.RunningSum(), 3LL * INT_MAX);
    EXPECT_EQ(window.Label("平均").Text(), "2147483647 %");
    display.ShowTick(INT_MIN, 1, noon);
    display.ShowTick(INT_MIN, 1, noon);
    EXPECT_EQ(window.Label("平均").Text(), "429496729 %");  // (3 * (2^31 - 1) - 2^32) / 5
    window.Label("最高").SetText("K-");  // the label is the only record of the peak; no number reads as 0
    display.ShowTick(10, 0, noon);
    EXPECT_EQ(window.Label("最高").Text(), "0K");
}

}  // namespace
}  // namespace quorell
