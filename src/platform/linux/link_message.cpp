#include "platform/linux/link_message.h"

#include <linux/if.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace quorell {

namespace {

// Whether an interface passes traffic. Drivers that report no state of their own (loopback, some
// tunnels) pass it while running.
bool PassesTraffic(std::optional<std::uint8_t> operState, unsigned flags) {
    if (!(flags & IFF_UP)) {
        return false;
    }
    switch (operState.value_or(IF_OPER_UNKNOWN)) {
        case IF_OPER_UP:
            return true;
        case IF_OPER_UNKNOWN:
            return (flags & IFF_RUNNING) != 0;
        default:
            return false;
    }
}

void ApplyStats(NetworkInterface& row, const rtattr* attribute) {
    rtnl_link_stats64 stats{};
    std::memcpy(&stats, RTA_DATA(attribute), std::min<std::size_t>(RTA_PAYLOAD(attribute), sizeof stats));
    row.receivedBytes = stats.rx_bytes;
    row.sentBytes = stats.tx_bytes;
}

}  // namespace

std::optional<NetworkInterface> ParseLinkMessage(const std::uint8_t* message, std::size_t length) {
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

    NetworkInterface row;
    row.index = info->ifi_index;
    row.loopback = (info->ifi_flags & IFF_LOOPBACK) != 0;
    std::optional<std::uint8_t> operState;

    int remaining = static_cast<int>(IFLA_PAYLOAD(nh));
    for (const rtattr* attribute = IFLA_RTA(info); RTA_OK(attribute, remaining);
         attribute = RTA_NEXT(attribute, remaining)) {
        const auto* data = static_cast<const char*>(RTA_DATA(attribute));
        const std::size_t payload = RTA_PAYLOAD(attribute);
        switch (attribute->rta_type) {
            case IFLA_IFNAME:
                row.systemName.assign(data, strnlen(data, payload));
                break;
            case IFLA_OPERSTATE:
                if (payload >= 1) {
                    operState = static_cast<std::uint8_t>(data[0]);
                }
                break;
            case IFLA_STATS64:
                ApplyStats(row, attribute);
                break;
            default:
                break;
        }
    }
    row.up = PassesTraffic(operState, info->ifi_flags);
    row.name = row.systemName;  // the kernel's name is the one users know and type
    return row;
}

}  // namespace quorell
