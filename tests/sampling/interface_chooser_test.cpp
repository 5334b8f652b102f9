#include "sampling/interface_chooser.h"

#include <gtest/gtest.h>

#include "sampling/network_sampler.h"
#include "support/fake_counters.h"

namespace quorell {
namespace {

NetworkInterface Interface(std::int32_t index, std::string name, bool up, bool loopback = false) {
    NetworkInterface row = MakeInterfaceRow(index);
    row.name = std::move(name);
    row.up = up;
    row.loopback = loopback;
    return row;
}

// The machine of the complaint: lo, two idle ifb interfaces, and eth0 that carries the traffic.
class InterfaceChoiceTest : public ::testing::Test {
protected:
    InterfaceChoiceTest() {
        interfaces.rows = {Interface(1, "lo", true, true), Interface(2, "ifb0", false), Interface(3, "ifb1", false),
                           Interface(4, "eth0", true)};
        sampler.SelectMonitoredRow();
    }

    NetworkInterface& Row(std::size_t at) { return interfaces.rows[at]; }
    void MoveBytes(std::size_t at, std::uint64_t bytes) {
        Row(at).receivedBytes += bytes;
        Row(at).sentBytes += bytes / 2;
    }
    // Both monitors' ticks: receive first, then send.
    std::pair<int, int> Tick() {
        const int received = sampler.SampleTraffic(Direction::Receive, "1").kValue;
        return {received, sampler.SampleTraffic(Direction::Send, "1").kValue};
    }
    void StartMonitors() {
        sampler.TakeBaseline(Direction::Receive);
        sampler.TakeBaseline(Direction::Send);
    }

    FakeInterfaceTable interfaces;
    FakePlatformVersion version{PlatformFamily::Linux, 6, 1};
    NetworkSampler sampler{interfaces, version};
};

TEST_F(InterfaceChoiceTest, DefaultRouteOnTheLastRowIsWatchedAndMovesWithOneQuietTick) {
    interfaces.defaultRoute = 4;
    Row(4 - 1).receivedBytes = 9000000000;  // moved before the start: not counted
    StartMonitors();
    EXPECT_EQ(sampler.Choice(), (InterfaceChoice{4, "eth0", true}));
    MoveBytes(3, 1280 * 100);
    MoveBytes(1, 1280 * 50);  // the fixed row would have shown this
    EXPECT_EQ(Tick(), std::make_pair(100, 50));

    // Wi-Fi takes the route: it is watched within a few seconds, from a fresh start.
    interfaces.rows.push_back(Interface(5, "wlan0", true));
    Row(4).receivedBytes = 7000000000;
    interfaces.defaultRoute = 5;
    int ticks = 0;
    while (sampler.Choice().index != 5 && ticks < 10) {
        MoveBytes(4, 1280 * 7);
        const auto traffic = Tick();
        EXPECT_TRUE(traffic == std::make_pair(0, 0) || traffic == std::make_pair(0, 3)) << ticks;
        ++ticks;
    }
    EXPECT_LE(ticks, InterfaceChooser::kTablesBetweenChoices / 2);
    MoveBytes(4, 1280 * 8);
    EXPECT_EQ(Tick(), std::make_pair(8, 4));
    EXPECT_LE(interfaces.routeReads, 4);  // the route is asked for now and then, not every table
}

TEST_F(InterfaceChoiceTest, WithoutARouteTheBusiestUpInterfaceIsWatchedNeverLoopback) {
    interfaces.rows.push_back(Interface(5, "wlan0", true));
    Row(4).receivedBytes = 50000000000;  // its history before the start does not count
    StartMonitors();
    for (int tick = 0; tick < InterfaceChooser::kTablesBetweenChoices; ++tick) {
        MoveBytes(0, 1280 * 1000);  // loopback moves most of all
        MoveBytes(3, 1280 * 20);
        MoveBytes(4, 1280 * 5);
        Tick();
    }
    EXPECT_EQ(sampler.Choice(), (InterfaceChoice{4, "eth0", true}));
    MoveBytes(3, 1280 * 20);
    EXPECT_EQ(Tick(), std::make_pair(20, 10));
}

TEST_F(InterfaceChoiceTest, TheFixedRowIsTheLastResort) {
    Row(0).up = false;
    Row(3).up = false;
    StartMonitors();
    EXPECT_EQ(sampler.Choice(), (InterfaceChoice{2, "ifb0", true}));
    MoveBytes(1, 1280 * 3);
    EXPECT_EQ(Tick(), std::make_pair(3, 1));
}

TEST_F(InterfaceChoiceTest, TheUsersInterfaceIsWatchedOnlyItselfEvenWhenAbsent) {
    interfaces.defaultRoute = 4;
    sampler.SetUserChoice("ifb1");
    StartMonitors();
    EXPECT_EQ(sampler.Choice(), (InterfaceChoice{3, "ifb1", false}));
    MoveBytes(2, 1280 * 6);
    MoveBytes(3, 1280 * 100);
    EXPECT_EQ(Tick(), std::make_pair(6, 3));

    // A name not present: 0 traffic, whatever the routed interface moves, until it appears.
    sampler.SetUserChoice("wlan0");
    for (int tick = 0; tick < 2 * InterfaceChooser::kTablesBetweenChoices; ++tick) {
        MoveBytes(3, 1280 * 100);
        EXPECT_EQ(Tick(), std::make_pair(0, 0)) << tick;
        EXPECT_EQ(sampler.Choice(), (InterfaceChoice{std::nullopt, "wlan0", false}));
    }
    interfaces.rows.push_back(Interface(9, "wlan0", true));
    Row(4).receivedBytes = 4000000000;
    EXPECT_EQ(Tick(), std::make_pair(0, 0));  // its first reading is the baseline
    MoveBytes(4, 1280 * 4);
    EXPECT_EQ(Tick(), std::make_pair(4, 2));

    // Back to automatic: the routed interface at the next tick, from a fresh start.
    sampler.SetUserChoice("");
    MoveBytes(3, 1280 * 10);
    EXPECT_EQ(Tick(), std::make_pair(0, 0));
    EXPECT_EQ(sampler.Choice(), (InterfaceChoice{4, "eth0", true}));
    MoveBytes(3, 1280 * 10);
    EXPECT_EQ(Tick(), std::make_pair(10, 5));
}

}  // namespace
}  // namespace quorell
