#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorell {

// A default route as an RTM_NEWROUTE message describes it.
struct DefaultRoute {
    bool ipv6 = false;
    std::int32_t interfaceIndex = 0;
    std::uint32_t metric = 0;
};

// Parses one whole netlink message (header included): a unicast route of the main table to every
// destination (prefix length 0) through an output interface (the first next hop of a multipath
// route). Nothing for any other message or route.
std::optional<DefaultRoute> ParseDefaultRoute(const std::uint8_t* message, std::size_t length);

// The interface of the preferred default route: IPv4 before IPv6, then the lowest metric.
std::optional<std::int32_t> PreferredDefaultRoute(const std::vector<DefaultRoute>& routes);

}  // namespace quorell
