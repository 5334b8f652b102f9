// Pushes a known number of bytes through a veth pair inside a throw-away network namespace and checks
// that the rtnetlink back end and the network sampler see exactly those bytes. Needs root and `ip`.
#include <fcntl.h>
#include <linux/if_ether.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <sched.h>
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

// A network namespace with the veth pair qa <-> qb, both up, without addresses and with IPv6 off, so
// nothing but the test's own frames crosses the pair. Removed again with everything in it.
class VethNamespace {
public:
    VethNamespace() : name_("quorell-veth-" + std::to_string(::getpid())) {
        ready_ =
            Run("ip netns add " + name_) &&
            Run("ip netns exec " + name_ + " sh -c 'echo 1 > /proc/sys/net/ipv6/conf/default/disable_ipv6; true'") &&
            Run("ip -n " + name_ + " link add qa type veth peer name qb") &&
            Run("ip -n " + name_ + " link set qa up") && Run("ip -n " + name_ + " link set qb up");
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
    int monitoredRow = 0;
    std::string senderName;
    TrafficSample sent;
    TrafficSample receivedOnSender;
    std::uint64_t peerReceivedBytes = 0;
    std::uint64_t senderPackets = 0;
};

const InterfaceRow* FindRow(const InterfaceTable& table, int index) {
    for (const auto& row : table.rows) {
        if (row.dwIndex == index)
            return &row;
    }
    return nullptr;
}

bool SendFrames(int fromIndex, const std::uint8_t* toAddress) {
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
    for (int i = 0; i < kFrames; ++i) {
        if (::sendto(socket.Get(), frame, sizeof frame, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) !=
            static_cast<ssize_t>(sizeof frame)) {
            return false;
        }
    }
    return true;
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
    seen.monitoredRow = sampler.MonitoredRow();

    // Wait until both ends have carrier, so no frame is dropped before it is counted.
    for (int tries = 0; tries < 50; ++tries) {
        sampler.RefreshInterfaceTable();
        int operational = 0;
        for (const auto& row : sampler.Table().rows) {
            operational += row.dwType == kInterfaceTypeEthernet && row.dwOperStatus == kOperStatusOperational;
        }
        if (operational == 2)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (sampler.Table().rows.size() != 3) {
        seen.failure = "expected lo, qa and qb in the namespace";
        return;
    }
    // The watched row sends; the other end of the pair receives.
    const InterfaceRow sender = sampler.Table().rows[1];
    char name[IF_NAMESIZE] = {};
    seen.senderName = ::if_indextoname(static_cast<unsigned>(sender.dwIndex), name) ? name : "";
    const int peerIndex = static_cast<int>(::if_nametoindex(seen.senderName == "qa" ? "qb" : "qa"));

    sampler.TakeBaseline(Direction::Send);
    sampler.TakeBaseline(Direction::Receive);
    if (FindRow(sampler.Table(), peerIndex) == nullptr) {
        seen.failure = "the other end of the pair is not in the table";
        return;
    }
    const std::uint64_t peerBefore = FindRow(sampler.Table(), peerIndex)->dwInOctets;
    const std::uint64_t packetsBefore = sender.dwOutUcastPkts;
    if (!SendFrames(sender.dwIndex, FindRow(sampler.Table(), peerIndex)->bPhysAddr.data())) {
        seen.failure = std::string("sending frames failed: ") + std::strerror(errno);
        return;
    }
    seen.sent = sampler.SampleTraffic(Direction::Send, "1");
    seen.receivedOnSender = sampler.SampleTraffic(Direction::Receive, "1");
    seen.peerReceivedBytes = FindRow(sampler.Table(), peerIndex)->dwInOctets - peerBefore;
    seen.senderPackets = sampler.Table().rows[1].dwOutUcastPkts - packetsBefore;
}

TEST(VethTraffic, CountersMoveByExactlyTheBytesSent) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to create a network namespace with a veth pair";
    }
    VethNamespace ns;
    if (!ns.Ready()) {
        GTEST_SKIP() << "could not create a network namespace with a veth pair (`ip netns add` / "
                        "`ip link add type veth` not permitted or iproute2 missing)";
    }
    Observed seen;
    std::thread worker(ObserveInside, ns.Path(), std::ref(seen));
    worker.join();
    ASSERT_EQ(seen.failure, "");

    EXPECT_EQ(seen.monitoredRow, 2);  // a Linux kernel version never picks the eleventh row
    EXPECT_TRUE(seen.senderName == "qa" || seen.senderName == "qb") << seen.senderName;
    EXPECT_EQ(seen.peerReceivedBytes, kFrames * kFrameBytes);
    EXPECT_EQ(seen.senderPackets, static_cast<std::uint64_t>(kFrames));
    // 128000 bytes are 100 K, and 80 % of a bandwidth of 1 Mb.
    EXPECT_EQ(seen.sent, (TrafficSample{100, 80}));
    EXPECT_EQ(seen.receivedOnSender, (TrafficSample{0, 0}));
}

}  // namespace
}  // namespace quorell
