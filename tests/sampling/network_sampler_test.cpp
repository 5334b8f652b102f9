#include "sampling/network_sampler.h"

#include <gtest/gtest.h>

#include "sampling/traffic_arithmetic.h"
#include "support/fake_counters.h"

namespace quorell {
namespace {

// A platform block whose rows carry only an index and the two 32-bit byte counters.
ByteBuffer BlockWithCounters(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& counters) {
    ByteBuffer block(4 + counters.size() * 860);
    auto put = [&block](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            block[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(0, static_cast<std::uint32_t>(counters.size()));
    for (std::size_t i = 0; i < counters.size(); ++i) {
        put(4 + i * 860 + 512, static_cast<std::uint32_t>(i + 1));
        put(4 + i * 860 + 552, counters[i].first);
        put(4 + i * 860 + 576, counters[i].second);
    }
    return block;
}

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

TEST_F(NetworkSamplerTest, PlatformBlockCountersWrapWithoutASpike) {
    interfaces.block = BlockWithCounters({{0, 0}, {4294967000u, 10}});
    sampler.TakeBaseline(Direction::Receive);
    EXPECT_EQ(sampler.Table().counterWidth, CounterWidth::Bits32);
    interfaces.block = BlockWithCounters({{0, 0}, {2 * 1280 - 296, 10}});
    EXPECT_EQ(ReceivedK(), 2);
    interfaces.block = BlockWithCounters({{0, 0}, {5, 10}});
    EXPECT_EQ(ReceivedK(), 0);  // a reset: neither a 4 GB spike nor negative K
    interfaces.block = BlockWithCounters({{0, 0}, {5 + 1280 * 6, 10}});
    EXPECT_EQ(ReceivedK(), 6);
}

}  // namespace
}  // namespace quorell
