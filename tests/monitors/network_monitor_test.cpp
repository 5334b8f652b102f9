#include "monitors/network_monitor.h"

#include <gtest/gtest.h>

#include "history/history_files.h"
#include "monitors/live_graph.h"
#include "monitors/monitor_rig.h"
#include "sampling/network_sampler.h"

namespace quorell {
namespace {

using testing::FakeClock;
using testing::LabelColour;
using testing::LabelText;
using testing::HistoryValue;

constexpr const char* kCurrent = "显示_当前流量";
constexpr const char* kPeak = "显示_最高流量";
constexpr const char* kAverage = "显示_平均流量";
constexpr const char* kPeakTime = "显示_最高时间";

// Both network windows on one watched interface (row 2 of a Linux table). With a bandwidth of "8"
// (10 K per tick) the percentage is a tenth of the K.
class NetworkMonitorTest : public ::testing::Test {
protected:
    NetworkMonitorTest() {
        table.SetRowCount(3);
        sampler.SelectMonitoredRow();
        receive.OnWindowCreated();
        send.OnWindowCreated();
    }

    // Moves the watched interface's counters by whole K (1280 bytes).
    void Traffic(std::uint64_t receivedK, std::uint64_t sentK) {
        table.rows[1].dwInOctets += receivedK * 1280;
        table.rows[1].dwOutOctets += sentK * 1280;
    }
    void TickBoth(std::uint64_t receivedK, std::uint64_t sentK) {
        Traffic(receivedK, sentK);
        receive.OnNetworkTick();
        send.OnNetworkTick();
    }
    void TickReceive(std::uint64_t receivedK) {
        Traffic(receivedK, 0);
        receive.OnNetworkTick();
    }

    testing::TempDir directory;
    HistoryFiles files = HistoryFilesIn(directory.Path());
    FakeInterfaceTable table;
    FakePlatformVersion version{PlatformFamily::Linux, 6, 1};
    FakeClock clock;
    std::string bandwidth = "8";
    NetworkSampler sampler{table, version};
    Window receiveWindow{testing::NetworkWindowSpec(WindowKind::ReceiveMonitor)};
    Window sendWindow{testing::NetworkWindowSpec(WindowKind::SendMonitor)};
    NetworkMonitor receive{receiveWindow, Direction::Receive, sampler, [this] { return bandwidth; }, clock,
                           files.receive};
    NetworkMonitor send{sendWindow, Direction::Send, sampler, [this] { return bandwidth; }, clock, files.send};
};

TEST_F(NetworkMonitorTest, FirstTickCountsFromCreationAndSkipsPeakAndAverage) {
    // Traffic before the windows were created belongs to no tick.
    NetworkMonitorTest::Traffic(0, 0);
    table.rows[1].dwInOctets = 999'999;
    receive.OnWindowCreated();
    TickReceive(250);
    EXPECT_EQ(LabelText(receiveWindow, kCurrent), "250K");
    EXPECT_EQ(LabelColour(receiveWindow, kCurrent), kLevelNormal);  // 25 %
    EXPECT_EQ(LabelText(receiveWindow, kPeak), "0K");
    EXPECT_EQ(LabelText(receiveWindow, kAverage), "0K");
    EXPECT_EQ(LabelText(receiveWindow, kPeakTime), "0:0:0");
    EXPECT_EQ(HistoryValue(files.receive, "其他", "最高"), "250");
    EXPECT_EQ(HistoryValue(files.receive, "其他", "今日"), "250");
    EXPECT_EQ(HistoryValue(files.receive, "最近", "8"), "251");  // the new day's "1" plus the tick
    EXPECT_EQ(HistoryValue(files.receive, "其他", "秒数"), "1");

    TickReceive(0);  // the average label turns from K into a percentage
    EXPECT_EQ(LabelText(receiveWindow, kAverage), "0 %");
    EXPECT_EQ(LabelText(receiveWindow, kPeak), "0K");  // 0 >= 0: rewritten with the time
    EXPECT_EQ(LabelText(receiveWindow, kPeakTime), "13-8:30:5");
}

TEST_F(NetworkMonitorTest, DirectionsKeepTheirOwnCountersAveragesAndFiles) {
    TickBoth(1, 1);
    TickBoth(500, 330);  // 50 % and 33 %
    TickBoth(200, 340);  // 20 % and 34 %
    EXPECT_EQ(LabelText(receiveWindow, kAverage), "35 %");
    EXPECT_EQ(LabelText(sendWindow, kAverage), "33 %");  // 33.5 truncated
    EXPECT_EQ(LabelText(receiveWindow, kPeak), "500K");
    EXPECT_EQ(LabelText(sendWindow, kPeak), "340K");
    EXPECT_EQ(HistoryValue(files.receive, "全部", "8"), "701");
    EXPECT_EQ(HistoryValue(files.send, "全部", "8"), "671");
    EXPECT_EQ(HistoryValue(files.send, "其他", "最高"), "340");
}

TEST_F(NetworkMonitorTest, EqualTrafficMovesTheShownTimeButNotTheFileRecord) {
    TickReceive(100);
    clock.Set(2011, 6, 13, 9, 0, 0);
    TickReceive(300);
    EXPECT_EQ(LabelText(receiveWindow, kPeakTime), "13-9:0:0");
    EXPECT_EQ(HistoryValue(files.receive, "其他", "时间"), "2011年6月13日9时");

    clock.Set(2011, 6, 13, 9, 0, 7);
    TickReceive(300);
    EXPECT_EQ(LabelText(receiveWindow, kPeak), "300K");
    EXPECT_EQ(LabelText(receiveWindow, kPeakTime), "13-9:0:7");
    EXPECT_EQ(HistoryValue(files.receive, "其他", "最高"), "300");
    EXPECT_EQ(HistoryValue(files.receive, "其他", "时间"), "2011年6月13日9时");
}

TEST_F(NetworkMonitorTest, ShareOfThirtyKeepsTheColourAndThirtyOneTurnsSkyBlue) {
    TickReceive(100);
    TickReceive(300);
    EXPECT_EQ(LabelColour(receiveWindow, kCurrent), kLevelNormal);
    TickReceive(310);
    EXPECT_EQ(LabelColour(receiveWindow, kCurrent), Rgb{0x0088FF});
    EXPECT_EQ(LabelColour(receiveWindow, kPeak), Rgb{0x0088FF});
}

TEST_F(NetworkMonitorTest, BandwidthTextIsReadOnEveryTick) {
    const Canvas& panel = receiveWindow.DrawPanel("画板_Lan").Canvas();
    TickReceive(500);  // 50 %: 52 rows
    bandwidth = "80";
    TickReceive(500);  // 5 %: 7 rows
    bandwidth = "";
    TickReceive(500);  // no bandwidth: 0 %, 2 rows
    bandwidth = "0";
    TickReceive(5000);  // 0 %, while the label still shows the K
    EXPECT_EQ(panel.Pixel(0, 48), kLevelOrdinary);
    EXPECT_EQ(panel.Pixel(0, 47), Canvas::kBackground);
    EXPECT_EQ(panel.Pixel(1, 93), kLevelNormal);
    EXPECT_EQ(panel.Pixel(1, 92), Canvas::kBackground);
    EXPECT_EQ(panel.Pixel(2, 98), kLevelNormal);
    EXPECT_EQ(panel.Pixel(2, 97), Canvas::kBackground);
    EXPECT_EQ(LabelText(receiveWindow, kCurrent), "5000K");
    EXPECT_EQ(LabelText(receiveWindow, kAverage), "1 %");  // (5 + 0 + 0) / 3
}

TEST_F(NetworkMonitorTest, ALostWatchedRowShowsNoTrafficUntilItReturns) {
    TickReceive(100);
    table.SetRowCount(1);  // the watched second row is gone
    receive.OnNetworkTick();
    EXPECT_EQ(LabelText(receiveWindow, kCurrent), "0K");
    table.SetRowCount(3);
    receive.OnNetworkTick();  // back, with counters that restarted: a fresh start, not a spike
    TickReceive(40);
    EXPECT_EQ(LabelText(receiveWindow, kCurrent), "40K");
    EXPECT_EQ(HistoryValue(files.receive, "其他", "今日"), "140");
}

}  // namespace
}  // namespace quorell
