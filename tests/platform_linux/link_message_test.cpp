#include "platform/linux/link_message.h"

#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace quorell {
namespace {

// Builds one netlink message the way the kernel lays it out: header, ifinfomsg, aligned attributes.
class LinkMessageBuilder {
public:
    LinkMessageBuilder(int index, unsigned short hardwareType, unsigned flags) {
        bytes_.resize(NLMSG_LENGTH(sizeof(ifinfomsg)));
        ifinfomsg info{};
        info.ifi_index = index;
        info.ifi_type = hardwareType;
        info.ifi_flags = flags;
        std::memcpy(bytes_.data() + NLMSG_HDRLEN, &info, sizeof info);
    }

    LinkMessageBuilder& Attribute(unsigned short type, const void* data, std::size_t length) {
        const std::size_t at = NLMSG_ALIGN(bytes_.size());
        bytes_.resize(at + RTA_SPACE(length));
        rtattr header{static_cast<unsigned short>(RTA_LENGTH(length)), type};
        std::memcpy(bytes_.data() + at, &header, sizeof header);
        std::memcpy(bytes_.data() + at + RTA_LENGTH(0), data, length);
        return *this;
    }
    LinkMessageBuilder& Text(unsigned short type, const std::string& text) {
        return Attribute(type, text.c_str(), text.size() + 1);
    }
    LinkMessageBuilder& U32(unsigned short type, std::uint32_t value) { return Attribute(type, &value, 4); }

    std::vector<std::uint8_t> Build(unsigned short messageType = RTM_NEWLINK) const {
        std::vector<std::uint8_t> message = bytes_;
        nlmsghdr header{};
        header.nlmsg_len = static_cast<std::uint32_t>(message.size());
        header.nlmsg_type = messageType;
        std::memcpy(message.data(), &header, sizeof header);
        return message;
    }

private:
    std::vector<std::uint8_t> bytes_;
};

std::optional<NetworkInterface> Parse(const std::vector<std::uint8_t>& message) {
    return ParseLinkMessage(message.data(), message.size());
}

TEST(LinkMessage, EthernetInterfaceGivesNameStateAndSixtyFourBitCounters) {
    rtnl_link_stats64 stats{};
    stats.rx_bytes = 5000000000;
    stats.tx_bytes = 7000000000;
    const std::uint8_t up = IF_OPER_UP;
    const auto link = Parse(LinkMessageBuilder(7, ARPHRD_ETHER, IFF_UP | IFF_RUNNING)
                                .Text(IFLA_IFNAME, "eth0")
                                .U32(IFLA_MTU, 1500)
                                .Attribute(IFLA_OPERSTATE, &up, 1)
                                .Attribute(IFLA_STATS64, &stats, sizeof stats)
                                .Build());
    ASSERT_TRUE(link);
    EXPECT_EQ(*link, (NetworkInterface{7, "eth0", true, false, 5000000000u, 7000000000u, CounterWidth::Bits64, "eth0"}));
}

TEST(LinkMessage, UpOnlyWhenTheInterfacePassesTraffic) {
    const std::uint8_t down = IF_OPER_DOWN;
    auto link = Parse(LinkMessageBuilder(1, ARPHRD_LOOPBACK, IFF_LOOPBACK).Build());
    EXPECT_TRUE(link->loopback);
    EXPECT_FALSE(link->up);
    link = Parse(LinkMessageBuilder(1, ARPHRD_LOOPBACK, IFF_LOOPBACK | IFF_UP | IFF_RUNNING).Build());
    EXPECT_TRUE(link->up);  // loopback reports no state of its own
    link = Parse(LinkMessageBuilder(3, ARPHRD_ETHER, IFF_UP).Attribute(IFLA_OPERSTATE, &down, 1).Build());
    EXPECT_FALSE(link->up);  // no carrier
    EXPECT_FALSE(link->loopback);
}

TEST(LinkMessage, MalformedMessagesGiveNothing) {
    const auto good = LinkMessageBuilder(2, ARPHRD_ETHER, 0).Text(IFLA_IFNAME, "eth1").Build();
    EXPECT_FALSE(Parse(LinkMessageBuilder(2, ARPHRD_ETHER, 0).Build(RTM_DELLINK)));
    EXPECT_FALSE(ParseLinkMessage(good.data(), 10));
    EXPECT_FALSE(ParseLinkMessage(good.data(), good.size() - 1));  // header claims more than is there

    // An attribute whose length runs past the message is not read.
    auto broken = good;
    const std::size_t attribute = NLMSG_LENGTH(sizeof(ifinfomsg));
    const unsigned short tooLong = 200;
    std::memcpy(broken.data() + attribute, &tooLong, sizeof tooLong);
    const auto link = Parse(broken);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->name, "");
}

}  // namespace
}  // namespace quorell
