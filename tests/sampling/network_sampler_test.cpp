#include "sampling/network_sampler.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "sampling/traffic_arithmetic.h"
#include "support/fake_counters.h"

namespace quorell {
namespace {

TEST(MonitoredRow, OnlyWindowsSixZeroAndSixOneWatchTheEleventhRow) {
    EXPECT_EQ(MonitoredRowFor({PlatformFamily::Windows, 6, 0}), 11);
    EXPECT_EQ(MonitoredRowFor({PlatformFamily::Windows, 6, 1}), 11);
    for (const auto& other : {PlatformVersion{PlatformFamily::Windows, 5, 1},
                              {PlatformFamily::Windows, 6, 2},
                              {PlatformFamily::Windows, 10, 0},
                              {PlatformFamily::Linux, 6, 1}}) {
        EXPECT_EQ(MonitoredRowFor(other), 2) << other.major << "." << other.minor;
    }
}

TEST(TrafficFromDelta, KAndPercentOfTheBandwidthTruncateTowardZero) {
    EXPECT_EQ(TrafficFromDelta(320000, "2"), (TrafficSample{250, 100}));
    EXPECT_EQ(TrafficFromDelta(640000, "2"), (TrafficSample{500, 200}));
    EXPECT_EQ(TrafficFromDelta(1279, "2"), (TrafficSample{0, 0}));
    EXPECT_EQ(TrafficFromDelta(1280, "2").kValue, 1);
    EXPECT_EQ(TrafficFromDelta(-1281, "2").kValue, -1);
    EXPECT_EQ(TrafficFromDelta(320000, ""), (TrafficSample{250, 0}));
    EXPECT_EQ(TrafficFromDelta(320000, "0"), (TrafficSample{250, 0}));
    EXPECT_EQ(TrafficFromDelta(320000, "2Mb"), (TrafficSample{250, 100}));
    EXPECT_EQ(TrafficFromDelta(320000, "-2"), (TrafficSample{250, -100}));
}

class NetworkSamplerTest : public ::testing::Test {
protected:
    NetworkSamplerTest() {
        interfaces.SetRowCount(3);
        Watched().receivedBytes = 4294967000;  // bytes moved before the monitors existed, past 2^32
        sampler.SelectMonitoredRow();
    }

    NetworkInterface& Watched() { return interfaces.rows[1]; }
    int ReceivedK() { return sampler.SampleTraffic(Direction::Receive, "1").kValue; }

    FakeInterfaceTable interfaces;
    FakePlatformVersion version{PlatformFamily::Linux, 6, 1};
    NetworkSampler sampler{interfaces, version};
};

TEST_F(NetworkSamplerTest, WindowsSevenWatchesTheEleventhRow) {
    FakePlatformVersion windows7(PlatformFamily::Windows, 6, 1);
    NetworkSampler onWindows7(interfaces, windows7);
    interfaces.SetRowCount(12);
    onWindows7.SelectMonitoredRow();
    onWindows7.TakeBaseline(Direction::Send);
    interfaces.rows[10].sentBytes += 1280 * 7;
    interfaces.rows[1].sentBytes += 1280 * 99;
    EXPECT_EQ(onWindows7.SampleTraffic(Direction::Send, "1").kValue, 7);
}

TEST_F(NetworkSamplerTest, FirstTickCountsFromTheBaselineNotFromStart) {
    sampler.TakeBaseline(Direction::Receive);
    Watched().receivedBytes += 320000;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "2"), (TrafficSample{250, 100}));
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "2"), (TrafficSample{0, 0}));
}

TEST_F(NetworkSamplerTest, EachDirectionSpansFromItsOwnPreviousReading) {
    sampler.TakeBaseline(Direction::Receive);
    sampler.TakeBaseline(Direction::Send);
    Watched().receivedBytes += 1280 * 10;
    Watched().sentBytes += 1280 * 3;
    EXPECT_EQ(ReceivedK(), 10);
    Watched().receivedBytes += 1280 * 5;
    Watched().sentBytes += 1280 * 4;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Send, "1").kValue, 7);
    EXPECT_EQ(ReceivedK(), 5);
}

TEST_F(NetworkSamplerTest, FailedRefreshKeepsThePreviousTable) {
    sampler.TakeBaseline(Direction::Receive);
    Watched().receivedBytes += 1280 * 10;
    interfaces.failing = true;
    EXPECT_EQ(ReceivedK(), 0);
    EXPECT_EQ(sampler.Table().rows.size(), 3u);
    interfaces.failing = false;
    EXPECT_EQ(ReceivedK(), 10);
}

TEST_F(NetworkSamplerTest, WatchedRowMissingGivesNoTrafficUntilItAppears) {
    NetworkSampler unselected(interfaces, version);
    EXPECT_EQ(unselected.SampleTraffic(Direction::Receive, "1"), (TrafficSample{0, 0}));

    interfaces.SetRowCount(1);
    sampler.TakeBaseline(Direction::Receive);
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "1"), (TrafficSample{0, 0}));
    interfaces.rows.push_back(MakeInterfaceRow(2, 4000000000));
    EXPECT_EQ(ReceivedK(), 0);  // the row's first reading is its baseline, not 4 GB of traffic
    interfaces.rows[1].receivedBytes += 1280 * 3;
    EXPECT_EQ(ReceivedK(), 3);
    interfaces.rows.pop_back();
    EXPECT_EQ(ReceivedK(), 0);
    interfaces.rows.push_back(MakeInterfaceRow(2, 9000000000));
    EXPECT_EQ(ReceivedK(), 0);
}

TEST_F(NetworkSamplerTest, AnotherInterfaceOrAResetCounterGivesOneQuietTick) {
    sampler.TakeBaseline(Direction::Receive);
    interfaces.rows.erase(interfaces.rows.begin() + 1);  // interface 3 moves up to row 2
    Watched().receivedBytes = 9000000000;                // above the old reading, yet unrelated to it
    EXPECT_EQ(ReceivedK(), 0);
    Watched().receivedBytes += 1280 * 2;
    EXPECT_EQ(ReceivedK(), 2);
    Watched().receivedBytes = 100;  // the interface was reset
    EXPECT_EQ(ReceivedK(), 0);
    Watched().receivedBytes += 1280 * 4;
    EXPECT_EQ(ReceivedK(), 4);
}

TEST_F(NetworkSamplerTest, ThirtyTwoBitCountersWrapWithoutASpikeAndAWidthChangeIsAFreshStart) {
    for (NetworkInterface& row : interfaces.rows) {
        row.counterWidth = CounterWidth::Bits32;
    }
    Watched().receivedBytes = 4294967000u;
    sampler.TakeBaseline(Direction::Receive);
    Watched().receivedBytes = 2 * 1280 - 296;  // past 2^32
    EXPECT_EQ(ReceivedK(), 2);
    Watched().receivedBytes = 5;
    EXPECT_EQ(ReceivedK(), 0);  // a reset: neither a 4 GB spike nor negative K
    Watched().receivedBytes += 1280 * 6;
    EXPECT_EQ(ReceivedK(), 6);
    // The platform now answers with 64-bit counters whose value is unrelated to the 32-bit one.
    Watched().counterWidth = CounterWidth::Bits64;
    Watched().receivedBytes = 9000000000;
    EXPECT_EQ(ReceivedK(), 0);
    Watched().receivedBytes += 1280 * 3;
    EXPECT_EQ(ReceivedK(), 3);
}

TEST_F(NetworkSamplerTest, RowsInAnyOrderAreWatchedInAscendingIndexOrder) {
    interfaces.rows = {MakeInterfaceRow(9), MakeInterfaceRow(4), MakeInterfaceRow(7)};
    sampler.TakeBaseline(Direction::Send);
    interfaces.rows[2].sentBytes += 1280 * 5;  // index 7: the second in index order
    interfaces.rows[0].sentBytes += 1280 * 50;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Send, "1").kValue, 5);
    const auto& rows = sampler.Table().rows;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ((std::vector{rows[0].index, rows[1].index, rows[2].index}), (std::vector{4, 7, 9}));
}

// A sampler that lets one direction's table serve the other within 100 ms of a clock the test moves.
class TableReuseTest : public NetworkSamplerTest {
protected:
    std::chrono::steady_clock::time_point now{};
    NetworkSampler sharing{interfaces, version,
                           TableReuse{std::chrono::milliseconds(100), [this] { return now; }}};
};

TEST_F(TableReuseTest, OneReadServesTheOtherDirectionOnceWithinTheReuseTime) {
    sharing.SelectMonitoredRow();
    sharing.TakeBaseline(Direction::Receive);
    sharing.TakeBaseline(Direction::Send);
    EXPECT_EQ(interfaces.reads, 1);

    // One tick: the receive monitor reads, the send monitor 2 ms later shares that read.
    Watched().receivedBytes += 1280 * 4;
    Watched().sentBytes += 1280 * 2;
    now += std::chrono::seconds(1);
    EXPECT_EQ(sharing.SampleTraffic(Direction::Receive, "1").kValue, 4);
    now += std::chrono::milliseconds(2);
    EXPECT_EQ(sharing.SampleTraffic(Direction::Send, "1").kValue, 2);
    EXPECT_EQ(interfaces.reads, 2);
    // A read already shared, the same direction again, and a read older than the reuse time read anew.
    EXPECT_EQ(sharing.SampleTraffic(Direction::Send, "1").kValue, 0);
    EXPECT_EQ(sharing.SampleTraffic(Direction::Send, "1").kValue, 0);
    EXPECT_EQ(interfaces.reads, 4);
    now += std::chrono::milliseconds(100);
    Watched().receivedBytes += 1280 * 8;
    EXPECT_EQ(sharing.SampleTraffic(Direction::Receive, "1").kValue, 8);
    EXPECT_EQ(interfaces.reads, 5);
}

TEST_F(TableReuseTest, AFailedReadIsNotSharedAndLeavesThePreviousTable) {
    sharing.SelectMonitoredRow();
    sharing.TakeBaseline(Direction::Receive);
    sharing.TakeBaseline(Direction::Send);
    now += std::chrono::seconds(1);
    interfaces.failing = true;
    Watched().sentBytes += 1280 * 3;
    EXPECT_EQ(sharing.SampleTraffic(Direction::Receive, "1").kValue, 0);
    EXPECT_EQ(sharing.Table().rows.size(), 3u);
    interfaces.failing = false;
    EXPECT_EQ(sharing.SampleTraffic(Direction::Send, "1").kValue, 3);  // read anew, not the stale table
    EXPECT_EQ(interfaces.reads, 3);
}

}  // namespace
}  // namespace quorell
