// Pushes known numbers of bytes through two veth pairs inside a throw-away network namespace whose
// default route leads through the second pair, and checks that the rtnetlink back end and the network
// sampler watch the routed interface, or the one the user named, and see exactly its bytes. Needs root
// and `ip`.
#include <fcntl.h>
#include <linux/if_ether.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/linux/interface_table_linux.h"
#include "platform/linux/platform_version_linux.h"
#include "platform/linux/unique_fd.h"
#include "sampling/network_sampler.h"

namespace quorell {
namespace {

constexpr int kFrames = 100;
constexpr std::size_t kFrameBytes = 1280;  // one K per frame
constexpr std::uint16_t kLocalExperimentalEthertype = 0x88B5;

bool Run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// A network namespace with the veth pairs qa <-> qb and qc <-> qd, all up, without addresses and with
// IPv6 off, so nothing but the test's own frames crosses a pair, and a default route through qc.
// Removed again with everything in it.
class VethNamespace {
public:
    VethNamespace() : name_("quorell-veth-" + std::to_string(::getpid())) {
        ready_ =
            Run("ip netns add " + name_) &&
            Run("ip netns exec " + name_ + " sh -c 'echo 1 > /proc/sys/net/ipv6/conf/default/disable_ipv6; true'") &&
            Run("ip -n " + name_ + " link add qa type veth peer name qb") &&
            Run("ip -n " + name_ + " link add qc type veth peer name qd") &&
            Run("ip -n " + name_ + " link set qa up") && Run("ip -n " + name_ + " link set qb up") &&
            Run("ip -n " + name_ + " link set qc up") && Run("ip -n " + name_ + " link set qd up") &&
            Run("ip -n " + name_ + " route add default dev qc");
    }
    ~VethNamespace() { Run("ip netns del " + name_); }
    VethNamespace(const VethNamespace&) = delete;
    VethNamespace& operator=(const VethNamespace&) = delete;

    bool Ready() const { return ready_; }
    std::string Path() const { return "/run/netns/" + name_; }

private:
    std::string name_;
    bool ready_ = false;
};

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

bool SendFrames(int fromIndex, const std::uint8_t* toAddress, int frames) {
    const UniqueFd socket(::socket(AF_PACKET, SOCK_RAW | SOCK_CLOEXEC, 0));
    if (!socket.Valid())
        return false;
    std::uint8_t frame[kFrameBytes] = {};
    std::memcpy(frame, toAddress, ETH_ALEN);
    frame[12] = kLocalExperimentalEthertype >> 8;
    frame[13] = kLocalExperimentalEthertype & 0xFF;
    sockaddr_ll to{};
    to.sll_family = AF_PACKET;
    to.sll_ifindex = fromIndex;
    to.sll_halen = ETH_ALEN;
    std::memcpy(to.sll_addr, toAddress, ETH_ALEN);
    for (int i = 0; i < frames; ++i) {
        if (::sendto(socket.Get(), frame, sizeof frame, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) !=
            static_cast<ssize_t>(sizeof frame)) {
            return false;
        }
    }
    return true;
}

// The hardware address of an interface of this namespace.
bool HardwareAddress(const char* name, std::uint8_t (&address)[ETH_ALEN]) {
    const UniqueFd socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    ifreq request{};
    std::strncpy(request.ifr_name, name, IFNAMSIZ - 1);
    if (!socket.Valid() || ::ioctl(socket.Get(), SIOCGIFHWADDR, &request) != 0)
        return false;
    std::memcpy(address, request.ifr_hwaddr.sa_data, ETH_ALEN);
    return true;
}

// Sends kFrames frames from qa to qb and half as many from qc to qd.
bool SendIntoBothPairs() {
    std::uint8_t qb[ETH_ALEN];
    std::uint8_t qd[ETH_ALEN];
    return HardwareAddress("qb", qb) && HardwareAddress("qd", qd) &&
           SendFrames(static_cast<int>(::if_nametoindex("qa")), qb, kFrames) &&
           SendFrames(static_cast<int>(::if_nametoindex("qc")), qd, kFrames / 2);
}

void ObserveInside(const std::string& namespacePath, Observed& seen) {
    const UniqueFd ns(::open(namespacePath.c_str(), O_RDONLY | O_CLOEXEC));
    if (!ns.Valid() || ::setns(ns.Get(), CLONE_NEWNET) != 0) {
        seen.failure = "could not enter the namespace";
        return;
    }
    LinuxInterfaceTable interfaces;
    LinuxPlatformVersion version;
    NetworkSampler sampler(interfaces, version);
    sampler.SelectMonitoredRow();

    // Wait until all four ends have carrier, so no frame is dropped before it is counted.
    for (int tries = 0; tries < 50; ++tries) {
        sampler.RefreshInterfaceTable();
        int operational = 0;
        for (const auto& row : sampler.Table().rows) {
            operational += !row.loopback && row.up;
        }
        if (operational == 4)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
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
    std::thread worker(ObserveInside, ns.Path(), std::ref(seen));
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
