#include "platform/linux/link_message.h"

#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "runtime/utf8.h"

namespace quorell {

namespace {

std::int32_t InterfaceType(unsigned short hardwareType) {
    switch (hardwareType) {
        case ARPHRD_ETHER:
            return kInterfaceTypeEthernet;
        case ARPHRD_LOOPBACK:
            return kInterfaceTypeLoopback;
        case ARPHRD_PPP:
            return kInterfaceTypePpp;
        case ARPHRD_IEEE80211:
        case ARPHRD_IEEE80211_PRISM:
        case ARPHRD_IEEE80211_RADIOTAP:
            return kInterfaceTypeWireless;
        case ARPHRD_TUNNEL:
        case ARPHRD_TUNNEL6:
        case ARPHRD_SIT:
        case ARPHRD_IPGRE:
        case ARPHRD_IP6GRE:
        case ARPHRD_NONE:
            return kInterfaceTypeTunnel;
        default:
            return kInterfaceTypeOther;
    }
}

std::int32_t OperStatus(std::optional<std::uint8_t> operState, unsigned flags) {
    if (!(flags & IFF_UP)) {
        return kOperStatusNonOperational;
    }
    switch (operState.value_or(IF_OPER_UNKNOWN)) {
        case IF_OPER_UP:
            return kOperStatusOperational;
        case IF_OPER_DORMANT:
        case IF_OPER_TESTING:
            return kOperStatusConnecting;
        case IF_OPER_NOTPRESENT:
            return kOperStatusNonOperational;
        case IF_OPER_DOWN:
        case IF_OPER_LOWERLAYERDOWN:
            return kOperStatusDisconnected;
        default:
            // Drivers that do not report a state (loopback, some tunnels) are up when running.
            return (flags & IFF_RUNNING) ? kOperStatusOperational : kOperStatusDisconnected;
    }
}

std::uint32_t ReadU32(const void* data) {
    std::uint32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

void PutUnit(ByteBuffer& field, std::size_t& at, std::uint16_t unit) {
    field[at++] = static_cast<std::uint8_t>(unit & 0xFF);
    field[at++] = static_cast<std::uint8_t>(unit >> 8);
}

ByteBuffer DescriptionField(const std::string& text) {
    ByteBuffer field(kInterfaceDescriptionBytes);
    const std::size_t length = std::min(text.size(), kInterfaceDescriptionBytes - 1);
    std::copy_n(text.begin(), length, field.begin());
    return field;
}

void ApplyStats(InterfaceRow& row, const rtattr* attribute) {
    rtnl_link_stats64 stats{};
    std::memcpy(&stats, RTA_DATA(attribute), std::min<std::size_t>(RTA_PAYLOAD(attribute), sizeof stats));
    row.dwInOctets = stats.rx_bytes;
    row.dwInNUcastPkts = stats.multicast;
    row.dwInUcastPkts = stats.rx_packets > stats.multicast ? stats.rx_packets - stats.multicast : 0;
    row.dwInDiscards = stats.rx_dropped;
    row.dwInErrors = stats.rx_errors;
    row.dwInUnknownProtos = stats.rx_nohandler;
    row.dwOutOctets = stats.tx_bytes;
    row.dwOutUcastPkts = stats.tx_packets;
    row.dwOutDiscards = stats.tx_dropped;
    row.dwOutErrors = stats.tx_errors;
}

}  // namespace

ByteBuffer Utf16NameField(const std::string& utf8Name) {
    ByteBuffer field(kInterfaceNameBytes);
    const std::size_t lastUnit = kInterfaceNameBytes - 2;  // room for the terminating NUL
    std::size_t out = 0;
    for (const Utf8Character& character : Utf8Characters(utf8Name)) {
        const char32_t point = character.codePoint;  // U+FFFD for a bad byte
        if (point >= 0x10000) {
            if (out + 4 > lastUnit) {
                break;
            }
            const char32_t offset = point - 0x10000;
            PutUnit(field, out, static_cast<std::uint16_t>(0xD800 + (offset >> 10)));
            PutUnit(field, out, static_cast<std::uint16_t>(0xDC00 + (offset & 0x3FF)));
        } else {
            if (out + 2 > lastUnit) {
                break;
            }
            PutUnit(field, out, static_cast<std::uint16_t>(point));
        }
    }
    return field;
}

std::optional<LinkMessage> ParseLinkMessage(const std::uint8_t* message, std::size_t length) {
    if (length < NLMSG_LENGTH(sizeof(ifinfomsg))) {
        return std::nullopt;
    }
    nlmsghdr header{};
    std::memcpy(&header, message, sizeof header);
    if (header.nlmsg_type != RTM_NEWLINK || header.nlmsg_len > length ||
        header.nlmsg_len < NLMSG_LENGTH(sizeof(ifinfomsg))) {
        return std::nullopt;
    }
    // Netlink messages are 4-byte aligned in the kernel's buffer; copy so any input is safe to read.
    std::vector<std::uint32_t> words((header.nlmsg_len + 3) / 4);
    std::memcpy(words.data(), message, header.nlmsg_len);
    const auto* nh = reinterpret_cast<const nlmsghdr*>(words.data());
    const auto* info = static_cast<const ifinfomsg*>(NLMSG_DATA(nh));

    LinkMessage link;
    InterfaceRow& row = link.row;
    row.dwIndex = info->ifi_index;
    row.dwType = InterfaceType(info->ifi_type);
    row.dwAdminStatus = (info->ifi_flags & IFF_UP) ? kAdminStatusUp : kAdminStatusDown;
    std::optional<std::uint8_t> operState;
    std::string alias;

    int remaining = static_cast<int>(IFLA_PAYLOAD(nh));
    for (const rtattr* attribute = IFLA_RTA(info); RTA_OK(attribute, remaining);
         attribute = RTA_NEXT(attribute, remaining)) {
        const auto* data = static_cast<const char*>(RTA_DATA(attribute));
        const std::size_t payload = RTA_PAYLOAD(attribute);
        switch (attribute->rta_type) {
            case IFLA_IFNAME:
                link.name.assign(data, strnlen(data, payload));
                break;
            case IFLA_IFALIAS:
                alias.assign(data, strnlen(data, payload));
                break;
            case IFLA_MTU:
                if (payload >= 4)
                    row.dwMtu = static_cast<std::int32_t>(ReadU32(data));
                break;
            case IFLA_TXQLEN:
                if (payload >= 4)
                    row.dwOutQLen = static_cast<std::int32_t>(ReadU32(data));
                break;
            case IFLA_OPERSTATE:
                if (payload >= 1)
                    operState = static_cast<std::uint8_t>(data[0]);
                break;
            case IFLA_ADDRESS: {
                const std::size_t kept = std::min(payload, kPhysicalAddressBytes);
                std::copy_n(reinterpret_cast<const std::uint8_t*>(data), kept, row.bPhysAddr.begin());
                row.dwPhysAddrLen = static_cast<std::int32_t>(kept);
                break;
            }
            case IFLA_STATS64:
                ApplyStats(row, attribute);
                break;
            default:
                break;
        }
    }
    row.dwOperStatus = OperStatus(operState, info->ifi_flags);
    row.wszName = Utf16NameField(link.name);
    const std::string& description = alias.empty() ? link.name : alias;
    row.bDescr = DescriptionField(description);
    row.dwDescrLen = static_cast<std::int32_t>(std::min(description.size() + 1, kInterfaceDescriptionBytes));
    return link;
}

}  // namespace quorell
