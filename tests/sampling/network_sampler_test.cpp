#include "sampling/network_sampler.h"

#include <gtest/gtest.h>

#include "support/fake_counters.h"
#include "sampling/traffic_arithmetic.h"

namespace quorell {
namespace {

// A platform block whose rows carry only an index and the two 32-bit byte counters.
ByteBuffer BlockWithCounters(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& counters) {
    ByteBuffer block(4 + counters.size() * 860);
    auto put = [&block](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            block[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    };
    put(0, static_cast<std::uint32_t>(counters.size()));
    for (std::size_t i = 0; i < counters.size(); ++i) {
        const std::size_t row = 4 + i * 860;
        put(row + 512, static_cast<std::uint32_t>(i + 1));
        put(row + 552, counters[i].first);
        put(row + 576, counters[i].second);
    }
    return block;
}

TEST(MonitoredRow, OnlyWindowsSixZeroAndSixOneWatchTheEleventhRow) {
    EXPECT_EQ(MonitoredRowFor({PlatformFamily::Windows, 6, 0}), 11);
    EXPECT_EQ(MonitoredRowFor({PlatformFamily::Windows, 6, 1}), 11);
    for (const auto& other : {PlatformVersion{PlatformFamily::Windows, 5, 1}, {PlatformFamily::Windows, 4, 10},
                              {PlatformFamily::Windows, 6, 2}, {PlatformFamily::Windows, 10, 0},
                              {PlatformFamily::Linux, 6, 1}, {PlatformFamily::Other, 6, 0}}) {
        EXPECT_EQ(MonitoredRowFor(other), 2) << other.major << "." << other.minor;
    }
}

TEST(TrafficFromDelta, KAndPercentOfTheBandwidth) {
    EXPECT_EQ(TrafficFromDelta(320000, "2"), (TrafficSample{250, 100}));
    EXPECT_EQ(TrafficFromDelta(640000, "2"), (TrafficSample{500, 200}));
    EXPECT_EQ(TrafficFromDelta(1279, "2"), (TrafficSample{0, 0}));
    EXPECT_EQ(TrafficFromDelta(1280, "2").kValue, 1);
    EXPECT_EQ(TrafficFromDelta(159999, "1").percent, 99);
}

TEST(TrafficFromDelta, BandwidthTextWithoutANumberGivesNoPercent) {
    EXPECT_EQ(TrafficFromDelta(320000, ""), (TrafficSample{250, 0}));
    EXPECT_EQ(TrafficFromDelta(320000, "abc"), (TrafficSample{250, 0}));
    EXPECT_EQ(TrafficFromDelta(320000, "0"), (TrafficSample{250, 0}));
    EXPECT_EQ(TrafficFromDelta(320000, "2Mb"), (TrafficSample{250, 100}));
    EXPECT_EQ(TrafficFromDelta(320000, "-2"), (TrafficSample{250, -100}));
}

TEST(TrafficFromDelta, TruncatesTowardZero) {
    EXPECT_EQ(TrafficFromDelta(-1281, "2").kValue, -1);
}

TEST(CounterDelta, ThirtyTwoBitCountersWrapModulo2To32) {
    EXPECT_EQ(CounterDelta(4294967000u, 296u, CounterWidth::Bits32), 592u);
    EXPECT_EQ(CounterDelta(2147483000u, 2147484000u, CounterWidth::Bits32), 1000u);  // passing 2^31
    EXPECT_EQ(CounterDelta(100u, 100u, CounterWidth::Bits32), 0u);
}

TEST(CounterDelta, ACounterThatRestartedLowerIsNoTraffic) {
    EXPECT_EQ(CounterDelta(1000000u, 500u, CounterWidth::Bits32), std::nullopt);
    EXPECT_EQ(CounterDelta(1000000u, 500u, CounterWidth::Bits64), std::nullopt);
    EXPECT_EQ(CounterDelta(5000000000u, 5000320000u, CounterWidth::Bits64), 320000u);
}

class NetworkSamplerTest : public ::testing::Test {
protected:
    NetworkSamplerTest() {
        interfaces.SetRowCount(3);
        interfaces.rows[1].dwInOctets = 1000000000;  // bytes moved before the monitors existed
        sampler.SelectMonitoredRow();
    }

    InterfaceRow& Watched() { return interfaces.rows[1]; }

    FakeInterfaceTable interfaces;
    FakePlatformVersion version{PlatformFamily::Linux, 6, 1};
    NetworkSampler sampler{interfaces, version};
};

TEST_F(NetworkSamplerTest, WatchesTheRowThePlatformVersionPicks) {
    FakePlatformVersion windows7(PlatformFamily::Windows, 6, 1);
    NetworkSampler onWindows7(interfaces, windows7);
    interfaces.SetRowCount(12);
    for (auto& row : interfaces.rows) {
        row.dwIndex *= 10;  // indexes need not be dense
    }
    onWindows7.SelectMonitoredRow();
    onWindows7.TakeBaseline(Direction::Send);
    interfaces.rows[10].dwOutOctets += 1280 * 7;
    interfaces.rows[1].dwOutOctets += 1280 * 99;
    EXPECT_EQ(onWindows7.SampleTraffic(Direction::Send, "1").kValue, 7);
    EXPECT_EQ(sampler.MonitoredRow(), 2);
}

TEST_F(NetworkSamplerTest, FirstTickCountsFromTheBaselineNotFromStart) {
    sampler.TakeBaseline(Direction::Receive);
    Watched().dwInOctets += 320000;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "2"), (TrafficSample{250, 100}));
    Watched().dwInOctets += 640000;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "2"), (TrafficSample{500, 200}));
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "2"), (TrafficSample{0, 0}));
}

TEST_F(NetworkSamplerTest, EachDirectionSpansFromItsOwnPreviousReading) {
    sampler.TakeBaseline(Direction::Receive);
    sampler.TakeBaseline(Direction::Send);
    Watched().dwInOctets += 1280 * 10;
    Watched().dwOutOctets += 1280 * 3;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "1").kValue, 10);
    Watched().dwInOctets += 1280 * 5;
    Watched().dwOutOctets += 1280 * 4;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Send, "1").kValue, 7);
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "1").kValue, 5);
}

TEST_F(NetworkSamplerTest, FailedRefreshKeepsThePreviousTable) {
    sampler.TakeBaseline(Direction::Receive);
    Watched().dwInOctets += 1280 * 10;
    interfaces.failing = true;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "1"), (TrafficSample{0, 0}));
    EXPECT_EQ(sampler.Table().rows.size(), 3u);
    interfaces.failing = false;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "1").kValue, 10);
}

TEST_F(NetworkSamplerTest, RefreshReplacesTheWholeTable) {
    sampler.RefreshInterfaceTable();
    EXPECT_EQ(sampler.Table().rows.size(), 3u);
    interfaces.SetRowCount(5);
    sampler.RefreshInterfaceTable();
    ASSERT_EQ(sampler.Table().rows.size(), 5u);
    EXPECT_EQ(sampler.Table().rows[4].dwIndex, 5);
}

TEST_F(NetworkSamplerTest, WatchedRowMissingGivesNoTrafficUntilItAppears) {
    interfaces.SetRowCount(1);
    sampler.TakeBaseline(Direction::Send);
    EXPECT_EQ(sampler.SampleTraffic(Direction::Send, "1"), (TrafficSample{0, 0}));

    interfaces.rows.push_back(MakeInterfaceRow(2, 0, 4000000000));
    // The row's first reading is its baseline, not 4 GB of traffic.
    EXPECT_EQ(sampler.SampleTraffic(Direction::Send, "1"), (TrafficSample{0, 0}));
    interfaces.rows[1].dwOutOctets += 1280 * 3;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Send, "1").kValue, 3);

    interfaces.rows.pop_back();
    EXPECT_EQ(sampler.SampleTraffic(Direction::Send, "1"), (TrafficSample{0, 0}));
    interfaces.rows.push_back(MakeInterfaceRow(2, 0, 9000000000));
    EXPECT_EQ(sampler.SampleTraffic(Direction::Send, "1"), (TrafficSample{0, 0}));
}

TEST_F(NetworkSamplerTest, NoTrafficBeforeAnyRowIsChosen) {
    NetworkSampler unselected(interfaces, version);
    unselected.TakeBaseline(Direction::Receive);
    Watched().dwInOctets += 1280;
    EXPECT_EQ(unselected.SampleTraffic(Direction::Receive, "1"), (TrafficSample{0, 0}));
}

TEST_F(NetworkSamplerTest, AnotherInterfaceAtTheWatchedPositionStartsAfresh) {
    sampler.TakeBaseline(Direction::Receive);
    interfaces.rows.erase(interfaces.rows.begin() + 1);  // interface 3 moves up to row 2
    interfaces.rows[1].dwInOctets = 3000000000;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "1"), (TrafficSample{0, 0}));
    interfaces.rows[1].dwInOctets += 1280 * 2;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "1").kValue, 2);
}

TEST_F(NetworkSamplerTest, ResetCounterGivesOneQuietTickThenCountsFromTheNewValue) {
    sampler.TakeBaseline(Direction::Receive);
    Watched().dwInOctets = 100;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "1"), (TrafficSample{0, 0}));
    Watched().dwInOctets += 1280 * 4;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "1").kValue, 4);
}

TEST_F(NetworkSamplerTest, SixtyFourBitCountersPastFourGigabytes) {
    Watched().dwInOctets = 4294967000;
    sampler.TakeBaseline(Direction::Receive);
    Watched().dwInOctets += 320000;
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "2"), (TrafficSample{250, 100}));
}

TEST_F(NetworkSamplerTest, PlatformBlockCountersWrapWithoutASpike) {
    interfaces.block = BlockWithCounters({{0, 0}, {4294967000u, 10}});
    sampler.TakeBaseline(Direction::Receive);
    EXPECT_EQ(sampler.Table().counterWidth, CounterWidth::Bits32);
    interfaces.block = BlockWithCounters({{0, 0}, {2 * 1280 - 296, 10}});
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "1").kValue, 2);
    // A reset of the 32-bit counter: no negative traffic and no 4 GB spike.
    interfaces.block = BlockWithCounters({{0, 0}, {5, 10}});
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "1"), (TrafficSample{0, 0}));
    interfaces.block = BlockWithCounters({{0, 0}, {5 + 1280, 10}});
    EXPECT_EQ(sampler.SampleTraffic(Direction::Receive, "1").kValue, 1);
}

}  // namespace
}  // namespace quorell
