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

std::optional<LinkMessage> Parse(const std::vector<std::uint8_t>& message) {
    return ParseLinkMessage(message.data(), message.size());
}

TEST(LinkMessage, EthernetInterfaceFillsTheRow) {
    rtnl_link_stats64 stats{};
    stats.rx_bytes = 5000000000;
    stats.tx_bytes = 7000000000;
    stats.rx_packets = 900;
    stats.multicast = 100;
    stats.tx_packets = 800;
    stats.rx_dropped = 5;
    const std::uint8_t mac[6] = {0x02, 0x11, 0x22, 0x33, 0x44, 0x55};
    const std::uint8_t up = IF_OPER_UP;
    const auto link = Parse(LinkMessageBuilder(7, ARPHRD_ETHER, IFF_UP | IFF_RUNNING)
                                .Text(IFLA_IFNAME, "eth0")
                                .U32(IFLA_MTU, 1500)
                                .U32(IFLA_TXQLEN, 1000)
                                .Attribute(IFLA_OPERSTATE, &up, 1)
                                .Attribute(IFLA_ADDRESS, mac, 6)
                                .Attribute(IFLA_STATS64, &stats, sizeof stats)
                                .Build());
    ASSERT_TRUE(link);
    const InterfaceRow& row = link->row;
    EXPECT_EQ(link->name, "eth0");
    EXPECT_EQ(row.dwIndex, 7);
    EXPECT_EQ(row.dwType, kInterfaceTypeEthernet);
    EXPECT_EQ(row.dwMtu, 1500);
    EXPECT_EQ(row.dwOutQLen, 1000);
    EXPECT_EQ(row.dwAdminStatus, kAdminStatusUp);
    EXPECT_EQ(row.dwOperStatus, kOperStatusOperational);
    EXPECT_EQ(row.dwPhysAddrLen, 6);
    EXPECT_EQ(row.bPhysAddr, (ByteBuffer{0x02, 0x11, 0x22, 0x33, 0x44, 0x55, 0, 0}));
    EXPECT_EQ(row.dwInOctets, 5000000000u);
    EXPECT_EQ(row.dwOutOctets, 7000000000u);
    EXPECT_EQ(row.dwInUcastPkts, 800u);
    EXPECT_EQ(row.dwInNUcastPkts, 100u);
    EXPECT_EQ(row.dwOutUcastPkts, 800u);
    EXPECT_EQ(row.dwInDiscards, 5u);
    EXPECT_EQ(row.dwDescrLen, 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(row.bDescr.data())), "eth0");
    const ByteBuffer name = {'e', 0, 't', 0, 'h', 0, '0', 0, 0, 0};
    EXPECT_TRUE(std::equal(name.begin(), name.end(), row.wszName.begin()));
}

TEST(LinkMessage, StatesAndTypesMapToThePlatformValues) {
    const std::uint8_t down = IF_OPER_DOWN;
    auto row = Parse(LinkMessageBuilder(1, ARPHRD_LOOPBACK, 0).Build())->row;
    EXPECT_EQ(row.dwType, kInterfaceTypeLoopback);
    EXPECT_EQ(row.dwAdminStatus, kAdminStatusDown);
    EXPECT_EQ(row.dwOperStatus, kOperStatusNonOperational);

    row = Parse(LinkMessageBuilder(1, ARPHRD_LOOPBACK, IFF_UP | IFF_RUNNING).Build())->row;
    EXPECT_EQ(row.dwOperStatus, kOperStatusOperational);  // loopback reports no state of its own

    row = Parse(LinkMessageBuilder(3, ARPHRD_ETHER, IFF_UP).Attribute(IFLA_OPERSTATE, &down, 1).Build())->row;
    EXPECT_EQ(row.dwOperStatus, kOperStatusDisconnected);
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

TEST(LinkMessage, NamesBecomeUtf16) {
    const ByteBuffer field = Utf16NameField("é\xF0\x9F\x98\x80");
    EXPECT_EQ(ByteBuffer(field.begin(), field.begin() + 8), (ByteBuffer{0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE, 0, 0}));
    EXPECT_EQ(Utf16NameField(std::string(400, 'a'))[510], 0);  // always terminated
}

}  // namespace
}  // namespace quorell
