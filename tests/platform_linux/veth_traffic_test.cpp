// Pushes known numbers of bytes through two veth pairs inside a throw-away network namespace whose
// default route leads through the second pair, and checks that the rtnetlink back end and the network
// sampler watch the routed interface, or the one the user named, and see exactly its bytes. Needs root
// and `ip`.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

#include "platform/linux/interface_table_linux.h"
#include "platform/linux/platform_version_linux.h"
#include "sampling/network_sampler.h"
#include "support/veth_namespace.h"

namespace quorell {
namespace {

constexpr int kFrames = 100;
constexpr std::size_t kFrameBytes = testing::kVethFrameBytes;

using testing::SendFrames;
using testing::VethNamespace;

// What the worker thread saw inside the namespace.
struct Observed {
    std::string failure;
    InterfaceChoice automatic;
    TrafficSample sentAutomatically;
    TrafficSample receivedAutomatically;
    std::uint64_t peerReceivedBytes = 0;
    InterfaceChoice named;
    TrafficSample firstSentNamed;
    TrafficSample sentNamed;
};

const NetworkInterface* FindRow(const InterfaceTable& table, const char* name) {
    for (const auto& row : table.rows) {
        if (row.name == name)
            return &row;
    }
    return nullptr;
}

// Sends kFrames frames from qa to qb and half as many from qc to qd.
bool SendIntoBothPairs() {
    return SendFrames("qa", "qb", kFrames) && SendFrames("qc", "qd", kFrames / 2);
}

void ObserveInside(const VethNamespace& ns, Observed& seen) {
    if (!ns.Enter()) {
        seen.failure = "could not enter the namespace";
        return;
    }
    LinuxInterfaceTable interfaces;
    LinuxPlatformVersion version;
    NetworkSampler sampler(interfaces, version);
    sampler.SelectMonitoredRow();

    testing::WaitForCarrier(interfaces);
    sampler.RefreshInterfaceTable();
    if (sampler.Table().rows.size() != 5 || FindRow(sampler.Table(), "qb") == nullptr) {
        seen.failure = "expected lo, qa, qb, qc and qd in the namespace";
        return;
    }
    sampler.TakeBaseline(Direction::Send);
    sampler.TakeBaseline(Direction::Receive);
    seen.automatic = sampler.Choice();
    const std::uint64_t peerBefore = FindRow(sampler.Table(), "qb")->receivedBytes;
    if (!SendIntoBothPairs()) {
        seen.failure = std::string("sending frames failed: ") + std::strerror(errno);
        return;
    }
    seen.sentAutomatically = sampler.SampleTraffic(Direction::Send, "1");
    seen.receivedAutomatically = sampler.SampleTraffic(Direction::Receive, "1");
    seen.peerReceivedBytes = FindRow(sampler.Table(), "qb")->receivedBytes - peerBefore;

    // The user names the other interface: a fresh start at the next tick, then its bytes.
    sampler.SetUserChoice("qa");
    seen.firstSentNamed = sampler.SampleTraffic(Direction::Send, "1");
    seen.named = sampler.Choice();
    if (!SendIntoBothPairs()) {
        seen.failure = std::string("sending frames failed: ") + std::strerror(errno);
        return;
    }
    seen.sentNamed = sampler.SampleTraffic(Direction::Send, "1");
}

TEST(VethTraffic, TheRoutedInterfaceOrTheNamedOneIsCountedExactly) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to create a network namespace with veth pairs";
    }
    VethNamespace ns;
    if (!ns.Ready()) {
        GTEST_SKIP() << "could not create a network namespace with veth pairs and a route (`ip netns add` / "
                        "`ip link add type veth` not permitted or iproute2 missing)";
    }
    Observed seen;
    std::thread worker(ObserveInside, std::cref(ns), std::ref(seen));
    worker.join();
    ASSERT_EQ(seen.failure, "");

    EXPECT_EQ(seen.automatic.name, "qc");
    EXPECT_TRUE(seen.automatic.automatic);
    EXPECT_EQ(seen.peerReceivedBytes, kFrames * kFrameBytes);
    // 64000 bytes through qc are 50 K, and 40 % of a bandwidth of 1 Mb.
    EXPECT_EQ(seen.sentAutomatically, (TrafficSample{kFrames / 2, 40}));
    EXPECT_EQ(seen.receivedAutomatically, (TrafficSample{0, 0}));

    EXPECT_EQ(seen.named.name, "qa");
    EXPECT_FALSE(seen.named.automatic);
    EXPECT_EQ(seen.firstSentNamed, (TrafficSample{0, 0}));
    // 128000 bytes through qa are 100 K, and 80 % of a bandwidth of 1 Mb.
    EXPECT_EQ(seen.sentNamed, (TrafficSample{kFrames, 80}));
}

}  // namespace
}  // namespace quorell
