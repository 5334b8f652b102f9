#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/interface_row.h"

namespace quorell {

// One interface as an RTM_NEWLINK message describes it.
struct LinkMessage {
    InterfaceRow row;
    std::string name;  // the kernel's interface name, as given
};

// Parses one whole netlink message (header included) of type RTM_NEWLINK into an interface row:
// index, type, MTU, hardware address, states, transmit queue length, name and description, and the
// 64-bit counters of IFLA_STATS64. The speed is not in the message and is left 0. Nothing when the
// message is not a well-formed RTM_NEWLINK.
std::optional<LinkMessage> ParseLinkMessage(const std::uint8_t* message, std::size_t length);

// The interface name in the row's UTF-16LE name field (truncated to fit, always NUL terminated).
ByteBuffer Utf16NameField(const std::string& utf8Name);

}  // namespace quorell
