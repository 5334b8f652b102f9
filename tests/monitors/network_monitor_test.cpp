#include "monitors/network_monitor.h"

#include <gtest/gtest.h>

#include "history/history_files.h"
#include "monitors/live_graph.h"
#include "monitors/monitor_rig.h"
#include "sampling/network_sampler.h"
#include "support/system_ini_store.h"

namespace quorell {
namespace {

using testing::HistoryValue;
using testing::LabelColour;
using testing::LabelText;

constexpr const char* kCurrent = "显示_当前流量";
constexpr const char* kPeak = "显示_最高流量";
constexpr const char* kAverage = "显示_平均流量";
constexpr const char* kPeakTime = "显示_最高时间";

WindowDesign NetworkWindow() {
    return testing::MonitorWindowDesign({kCurrent, kPeak, kAverage, kPeakTime}, "0K", "画板_Lan");
}

// Both windows on one watched interface (row 2 of a Linux table). A bandwidth of "8" is 10 K per
// tick, so the percentage is a tenth of the K.
class NetworkMonitorTest : public ::testing::Test {
protected:
    NetworkMonitorTest() {
        table.SetRowCount(3);
        table.rows[1].receivedBytes = 999'999;  // traffic before the windows exist belongs to no tick
        sampler.SelectMonitoredRow();
        receive.OnWindowCreated();
        send.OnWindowCreated();
    }
    void Tick(std::uint64_t receivedK, std::uint64_t sentK = 0) {
        table.rows[1].receivedBytes += receivedK * 1280;
        table.rows[1].sentBytes += sentK * 1280;
        receive.OnNetworkTick();
        send.OnNetworkTick();
    }

    testing::TempDir directory;
    testing::SystemIniStore store;
    HistoryFiles files = HistoryFilesIn(store, directory.Path());
    FakeInterfaceTable table;
    FakePlatformVersion version{PlatformFamily::Linux, 6, 1};
    testing::FakeClock clock;
    std::string bandwidth = "8";
    NetworkSampler sampler{table, version};
    Window receiveWindow{NetworkWindow()};
    Window sendWindow{NetworkWindow()};
    NetworkMonitor receive{receiveWindow, Direction::Receive, sampler, [this] { return bandwidth; },
                           clock,         files.receive};
    NetworkMonitor send{sendWindow, Direction::Send, sampler, [this] { return bandwidth; }, clock, files.send};
};

TEST_F(NetworkMonitorTest, FirstTickCountsFromCreationAndSkipsPeakAndAverage) {
    Tick(250);
    EXPECT_EQ(LabelText(receiveWindow, kCurrent), "250K");
    EXPECT_EQ(LabelColour(receiveWindow, kCurrent), kLevelNormal);  // 25 %
    EXPECT_EQ(LabelText(receiveWindow, kPeak), "0K");
    EXPECT_EQ(LabelText(receiveWindow, kAverage), "0K");
    EXPECT_EQ(HistoryValue(files.receive, "其他", "今日"), "250");
    EXPECT_EQ(HistoryValue(files.receive, "最近", "8"), "251");  // the new day's "1" plus the tick
    Tick(0);                                                     // the average label turns from K into a percentage
    EXPECT_EQ(LabelText(receiveWindow, kAverage), "0 %");
    EXPECT_EQ(LabelText(receiveWindow, kPeakTime), "13-8:30:5");  // 0 >= "0K"
}

TEST_F(NetworkMonitorTest, DirectionsKeepTheirOwnCountersAveragesAndFiles) {
    Tick(1, 1);
    Tick(500, 330);  // 50 % and 33 %
    Tick(200, 340);  // 20 % and 34 %
    EXPECT_EQ(LabelText(receiveWindow, kAverage), "35 %");
    EXPECT_EQ(LabelText(sendWindow, kAverage), "33 %");
    EXPECT_EQ(HistoryValue(files.receive, "全部", "8"), "701");
    EXPECT_EQ(HistoryValue(files.send, "其他", "最高"), "340");
}

TEST_F(NetworkMonitorTest, EqualTrafficMovesTheShownTimeButNotTheFileRecord) {
    Tick(100);
    clock.now = {2011, 6, 13, 9, 0, 0};
    Tick(300);  // 30 %: keeps the colour of the 10 % before it
    EXPECT_EQ(LabelColour(receiveWindow, kPeak), kLevelNormal);
    clock.now.second = 7;
    Tick(310);
    clock.now.second = 9;
    Tick(310);
    EXPECT_EQ(LabelText(receiveWindow, kPeakTime), "13-9:0:9");
    EXPECT_EQ(LabelColour(receiveWindow, kPeak), Rgb{0x0088FF});
    EXPECT_EQ(HistoryValue(files.receive, "其他", "时间"), "2011年6月13日9时0分7秒");
}

TEST_F(NetworkMonitorTest, BandwidthTextIsReadOnEveryTick) {
    const Canvas& panel = receiveWindow.DrawPanel("画板_Lan").Canvas();
    Tick(500);  // 50 %: 52 rows
    bandwidth = "80";
    Tick(500);  // 5 %: 7 rows
    bandwidth = "";
    Tick(5000);  // no bandwidth: 0 %, 2 rows, while the label still shows the K
    EXPECT_EQ(panel.Pixel(0, 48), kLevelOrdinary);
    EXPECT_EQ(panel.Pixel(0, 47), Canvas::kBackground);
    EXPECT_EQ(panel.Pixel(1, 93), kLevelNormal);
    EXPECT_EQ(panel.Pixel(1, 92), Canvas::kBackground);
    EXPECT_EQ(panel.Pixel(2, 97), Canvas::kBackground);
    EXPECT_EQ(LabelText(receiveWindow, kCurrent), "5000K");
}

}  // namespace
}  // namespace quorell
