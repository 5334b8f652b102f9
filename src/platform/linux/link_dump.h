#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/linux/link_message.h"
#include "platform/linux/route_message.h"
#include "platform/linux/unique_fd.h"

namespace quorell {

// Dumps the interface table (and, now and then, the routes) again and again over one rtnetlink socket,
// kept open between dumps (the table is read twice a second). Each request has its own sequence number, so nothing of an earlier
// dump can be taken for a part of this one; after any failure the socket is closed and the next dump
// opens a fresh one.
class LinkDumper {
public:
    // What DumpLinks returns, for the table as it is now.
    std::optional<std::vector<NetworkInterface>> Dump();

    // Every default route of the main table, IPv4 and IPv6; nothing when a dump fails.
    std::optional<std::vector<DefaultRoute>> DumpDefaultRoutes();

private:
    using MessageHandler = std::function<void(const std::uint8_t* message, std::size_t length)>;
    // Sends one dump request and hands each message of the answer to `handle`.
    bool DumpEach(std::uint16_t type, std::uint8_t family, const MessageHandler& handle);
    bool Receive(std::uint32_t sequence, const MessageHandler& handle);

    UniqueFd socket_;
    std::uint32_t sequence_ = 0;
    std::vector<std::uint32_t> buffer_;  // keeps messages aligned
};

// Every interface of the calling thread's network namespace, by one RTM_GETLINK dump over a fresh
// rtnetlink socket, in the order the kernel sent them. Nothing when the socket, the request or the
// answer fails, or when the kernel reports that the dump was interrupted by a change of the table.
std::optional<std::vector<NetworkInterface>> DumpLinks();

}  // namespace quorell
