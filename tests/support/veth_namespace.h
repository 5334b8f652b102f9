#pragma once

// A throw-away network namespace with two veth pairs, and raw Ethernet frames sent through them, for the
// Linux tests that count real traffic. Needs root and `ip`; POSIX only.

#include <fcntl.h>
#include <linux/if_ether.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/counter_ports.h"
#include "platform/linux/unique_fd.h"

namespace quorell::testing {

inline constexpr std::size_t kVethFrameBytes = 1280;  // one K per frame
inline constexpr std::uint16_t kLocalExperimentalEthertype = 0x88B5;

inline bool RunQuietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// A network namespace with the veth pairs qa <-> qb and qc <-> qd, all up, without addresses and with
// IPv6 off, so nothing but the test's own frames crosses a pair, and a default route through qc.
// Removed again with everything in it.
class VethNamespace {
public:
    VethNamespace() : name_("quorell-veth-" + std::to_string(::getpid())) {
        const std::string in = "ip -n " + name_ + " ";
        ready_ = RunQuietly("ip netns add " + name_) &&
                 RunQuietly("ip netns exec " + name_ +
                            " sh -c 'echo 1 > /proc/sys/net/ipv6/conf/default/disable_ipv6; true'") &&
                 RunQuietly(in + "link add qa type veth peer name qb") &&
                 RunQuietly(in + "link add qc type veth peer name qd") && RunQuietly(in + "link set qa up") &&
                 RunQuietly(in + "link set qb up") && RunQuietly(in + "link set qc up") &&
                 RunQuietly(in + "link set qd up") && RunQuietly(in + "route add default dev qc");
    }
    ~VethNamespace() { RunQuietly("ip netns del " + name_); }
    VethNamespace(const VethNamespace&) = delete;
    VethNamespace& operator=(const VethNamespace&) = delete;

    bool Ready() const { return ready_; }
    std::string Path() const { return "/run/netns/" + name_; }

    // Moves the calling thread into the namespace (a forked child: the whole process).
    bool Enter() const {
        const UniqueFd ns(::open(Path().c_str(), O_RDONLY | O_CLOEXEC));
        return ns.Valid() && ::setns(ns.Get(), CLONE_NEWNET) == 0;
    }

private:
    std::string name_;
    bool ready_ = false;
};

// Waits (up to five seconds) until all four ends of the pairs have carrier, so that no frame is dropped
// before it is counted. `interfaces` reads the caller's namespace.
inline bool WaitForCarrier(InterfaceTablePort& interfaces) {
    for (int tries = 0; tries < 50; ++tries) {
        int operational = 0;
        for (const auto& row : interfaces.ReadInterfaces().value_or(std::vector<NetworkInterface>{})) {
            operational += !row.loopback && row.up;
        }
        if (operational == 4)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// The hardware address of an interface of the caller's namespace.
inline bool HardwareAddress(const char* name, std::uint8_t (&address)[ETH_ALEN]) {
    const UniqueFd socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    ifreq request{};
    std::strncpy(request.ifr_name, name, IFNAMSIZ - 1);
    if (!socket.Valid() || ::ioctl(socket.Get(), SIOCGIFHWADDR, &request) != 0)
        return false;
    std::memcpy(address, request.ifr_hwaddr.sa_data, ETH_ALEN);
    return true;
}

// Sends `frames` frames of kVethFrameBytes out of the interface `fromIndex` to `toAddress`.
inline bool SendFrames(int fromIndex, const std::uint8_t* toAddress, int frames) {
    const UniqueFd socket(::socket(AF_PACKET, SOCK_RAW | SOCK_CLOEXEC, 0));
    if (!socket.Valid())
        return false;
    std::uint8_t frame[kVethFrameBytes] = {};
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

// Sends `frames` frames from the interface `from` to its peer `to`, both of the caller's namespace.
inline bool SendFrames(const char* from, const char* to, int frames) {
    std::uint8_t address[ETH_ALEN];
    return HardwareAddress(to, address) && SendFrames(static_cast<int>(::if_nametoindex(from)), address, frames);
}

}  // namespace quorell::testing
