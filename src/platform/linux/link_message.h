#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/counter_ports.h"

namespace quorell {

// Parses one whole netlink message (header included) of type RTM_NEWLINK into an interface: index,
// the kernel's name (as both names), up (IFF_UP and an operational state that passes traffic), loopback, and the
// 64-bit byte counters of IFLA_STATS64. Nothing when the message is not a well-formed RTM_NEWLINK.
std::optional<NetworkInterface> ParseLinkMessage(const std::uint8_t* message, std::size_t length);

}  // namespace quorell
