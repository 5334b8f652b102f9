#include <gtest/gtest.h>

#include "app/measured_work.h"
#include "app_rig.h"

namespace quorell {
namespace {

using testing::AppRig;

// The timers and created events reach the monitors and the trend window, hidden or shown.
class Wiring : public ::testing::Test {
protected:
    void SetUp() override {
        rig.memory.Set(8ull << 30, 2ull << 30, 75);
        ASSERT_TRUE(rig.Start().Running());
    }
    NetworkInterface& WatchedRow() {
        const int row = rig.app->Work().Network().MonitoredRow();
        return rig.interfaces.rows.at(static_cast<std::size_t>(row - 1));
    }
    AppRig rig;
};

TEST_F(Wiring, HiddenMonitorsTickIntoTheirLabelsGraphsAndHistoryFiles) {
    Window& cpu = rig.Get(WindowKind::CpuMonitor);
    ASSERT_FALSE(cpu.Visible());
    int graphChanges = 0;
    const Subscription graph =
        cpu.DrawPanel("画板_Cpu").Canvas().Subscribe([&](const CanvasChange&) { ++graphChanges; });
    rig.cpu.Advance(5'000'000, 10'000'000);  // half of one second idle
    cpu.Timer("时钟_Cpu").Tick();
    EXPECT_EQ(cpu.Label("显示_当前Cpu使用率").Text().rfind("50", 0), 0u) << cpu.Label("显示_当前Cpu使用率").Text();
    EXPECT_GT(graphChanges, 0);
    ASSERT_TRUE(rig.store.Flush());  // the history is held back for a while, as in the program
    EXPECT_TRUE(std::filesystem::exists(rig.dir.File("Cpu.FDB")));

    Window& memory = rig.Get(WindowKind::MemoryMonitor);
    memory.Timer("时钟_内存").Tick();
    EXPECT_NE(memory.Label("显示_当前内存").Text(), "0M");
    ASSERT_TRUE(rig.store.Flush());
    EXPECT_TRUE(std::filesystem::exists(rig.dir.File("内存.FDB")));
}

TEST_F(Wiring, NetworkMonitorsMeasureFromTheBaselineTakenAtCreation) {
    WatchedRow().receivedBytes += 1280 * 10;
    WatchedRow().sentBytes += 1280 * 3;
    rig.Get(WindowKind::ReceiveMonitor).Timer("时钟_Lan").Tick();
    rig.Get(WindowKind::SendMonitor).Timer("时钟_Lan").Tick();
    EXPECT_EQ(rig.Get(WindowKind::ReceiveMonitor).Label("显示_当前流量").Text(), "10K");
    EXPECT_EQ(rig.Get(WindowKind::SendMonitor).Label("显示_当前流量").Text(), "3K");
    ASSERT_TRUE(rig.store.Flush());
    EXPECT_TRUE(std::filesystem::exists(rig.dir.File("接收.FDB")));
    EXPECT_TRUE(std::filesystem::exists(rig.dir.File("发送.FDB")));
}

TEST_F(Wiring, TheTrendWindowRereadsTheHistoryOnItsTimers) {
    WatchedRow().receivedBytes += 1280 * 2048;  // 2 Mb in one tick
    rig.Get(WindowKind::ReceiveMonitor).Timer("时钟_Lan").Tick();
    Window& trend = rig.Get(WindowKind::Trend);
    EXPECT_EQ(trend.Label("接收_今日").Text(), "0 Mb");
    trend.Timer("时钟_统计流量").Tick();
    EXPECT_EQ(trend.Label("接收_今日").Text(), "2 Mb");
    EXPECT_EQ(trend.Label("发送_今日").Text(), "0 Mb");
    EXPECT_GT(trend.LineChart("接收_最近24小时").Chart().Value(rig.clock.now.hour), 0.0);

    const LineChartModel& cpuChart = trend.LineChart("Cpu_最近24小时").Chart();
    const double before = cpuChart.Value(rig.clock.now.hour);
    rig.cpu.Advance(0, 10'000'000);  // a fully busy second
    rig.Get(WindowKind::CpuMonitor).Timer("时钟_Cpu").Tick();
    EXPECT_EQ(cpuChart.Value(rig.clock.now.hour), before);  // the CPU page waits for its own timer
    trend.Timer("时钟_统计基础").Tick();
    EXPECT_EQ(cpuChart.Value(rig.clock.now.hour), 100.0);
}

}  // namespace
}  // namespace quorell
