#include "platform/linux/route_message.h"

#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

#include <cstring>
#include <tuple>

namespace quorell {

namespace {

std::uint32_t ReadU32(const void* data) {
    std::uint32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

// The output interface of the first next hop of a multipath route; 0 when there is none.
std::int32_t FirstHopInterface(const rtattr* multipath) {
    if (RTA_PAYLOAD(multipath) < sizeof(rtnexthop)) {
        return 0;
    }
    rtnexthop hop{};
    std::memcpy(&hop, RTA_DATA(multipath), sizeof hop);
    return hop.rtnh_ifindex;
}

}  // namespace

std::optional<DefaultRoute> ParseDefaultRoute(const std::uint8_t* message, std::size_t length) {
    if (length < NLMSG_LENGTH(sizeof(rtmsg))) {
        return std::nullopt;
    }
    nlmsghdr header{};
    std::memcpy(&header, message, sizeof header);
    if (header.nlmsg_type != RTM_NEWROUTE || header.nlmsg_len > length ||
        header.nlmsg_len < NLMSG_LENGTH(sizeof(rtmsg))) {
        return std::nullopt;
    }
    std::vector<std::uint32_t> words((header.nlmsg_len + 3) / 4);
    std::memcpy(words.data(), message, header.nlmsg_len);
    const auto* nh = reinterpret_cast<const nlmsghdr*>(words.data());
    const auto* route = static_cast<const rtmsg*>(NLMSG_DATA(nh));
    if (route->rtm_dst_len != 0 || route->rtm_type != RTN_UNICAST ||
        (route->rtm_family != AF_INET && route->rtm_family != AF_INET6)) {
        return std::nullopt;
    }
    DefaultRoute found;
    found.ipv6 = route->rtm_family == AF_INET6;
    std::uint32_t table = route->rtm_table;
    int remaining = static_cast<int>(RTM_PAYLOAD(nh));
    for (const rtattr* attribute = RTM_RTA(route); RTA_OK(attribute, remaining);
         attribute = RTA_NEXT(attribute, remaining)) {
        const bool word = RTA_PAYLOAD(attribute) >= 4;
        switch (attribute->rta_type) {
            case RTA_OIF:
                if (word) {
                    found.interfaceIndex = static_cast<std::int32_t>(ReadU32(RTA_DATA(attribute)));
                }
                break;
            case RTA_PRIORITY:
                if (word) {
                    found.metric = ReadU32(RTA_DATA(attribute));
                }
                break;
            case RTA_TABLE:
                if (word) {
                    table = ReadU32(RTA_DATA(attribute));
                }
                break;
            case RTA_MULTIPATH:
                if (found.interfaceIndex == 0) {
                    found.interfaceIndex = FirstHopInterface(attribute);
                }
                break;
            default:
                break;
        }
    }
    if (table != RT_TABLE_MAIN || found.interfaceIndex <= 0) {
        return std::nullopt;
    }
    return found;
}

std::optional<std::int32_t> PreferredDefaultRoute(const std::vector<DefaultRoute>& routes) {
    const DefaultRoute* best = nullptr;
    for (const DefaultRoute& route : routes) {
        if (best == nullptr || std::tie(route.ipv6, route.metric) < std::tie(best->ipv6, best->metric)) {
            best = &route;
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    return best->interfaceIndex;
}

}  // namespace quorell
