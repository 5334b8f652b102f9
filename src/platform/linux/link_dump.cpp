#include "platform/linux/link_dump.h"

#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace quorell {

namespace {

constexpr std::size_t kReceiveBytes = 65536;  // larger than any one dump part the kernel sends

// A dump request: the header and the family byte that both ifinfomsg and rtmsg begin with, padded to
// the larger of the two.
struct DumpRequest {
    nlmsghdr header;
    union {
        ifinfomsg link;
        rtmsg route;
    } body;
};

UniqueFd OpenRouteSocket() {
    UniqueFd socket(::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE));
    if (!socket.Valid()) {
        return socket;
    }
    // The kernel answers at once; the timeout only keeps a tick from hanging if it ever did not.
    const timeval timeout{1, 0};
    ::setsockopt(socket.Get(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    return socket;
}

bool SendRequest(const UniqueFd& socket, std::uint16_t type, std::uint8_t family, std::uint32_t sequence) {
    DumpRequest request{};
    const std::size_t bodyBytes = type == RTM_GETROUTE ? sizeof(rtmsg) : sizeof(ifinfomsg);
    request.header.nlmsg_len = static_cast<std::uint32_t>(NLMSG_LENGTH(bodyBytes));
    request.header.nlmsg_type = type;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.header.nlmsg_seq = sequence;
    if (type == RTM_GETROUTE) {
        request.body.route.rtm_family = family;
    } else {
        request.body.link.ifi_family = family;
    }
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    ssize_t sent = 0;
    do {
        sent = ::sendto(socket.Get(), &request, request.header.nlmsg_len, 0, reinterpret_cast<const sockaddr*>(&kernel),
                        sizeof kernel);
    } while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(request.header.nlmsg_len);
}

enum class PartResult { More, Done, Failed };

template <typename Handler>
PartResult ReadPart(const std::uint32_t* buffer, std::size_t length, std::uint32_t sequence, const Handler& handle) {
    const auto* message = reinterpret_cast<const nlmsghdr*>(buffer);
    auto remaining = static_cast<unsigned>(length);
    for (; NLMSG_OK(message, remaining); message = NLMSG_NEXT(message, remaining)) {
        if (message->nlmsg_seq != sequence) {
            continue;
        }
        if (message->nlmsg_flags & NLM_F_DUMP_INTR) {
            return PartResult::Failed;
        }
        if (message->nlmsg_type == NLMSG_DONE) {
            return PartResult::Done;
        }
        if (message->nlmsg_type == NLMSG_ERROR) {
            return PartResult::Failed;
        }
        handle(reinterpret_cast<const std::uint8_t*>(message), message->nlmsg_len);
    }
    return PartResult::More;
}

}  // namespace

std::optional<std::vector<NetworkInterface>> LinkDumper::Dump() {
    std::vector<NetworkInterface> links;
    const bool done = DumpEach(RTM_GETLINK, AF_UNSPEC, [&links](const std::uint8_t* message, std::size_t length) {
        if (auto link = ParseLinkMessage(message, length)) {
            links.push_back(std::move(*link));
        }
    });
    if (!done) {
        return std::nullopt;
    }
    return links;
}

std::optional<std::vector<DefaultRoute>> LinkDumper::DumpDefaultRoutes() {
    std::vector<DefaultRoute> routes;
    const auto collect = [&routes](const std::uint8_t* message, std::size_t length) {
        if (auto route = ParseDefaultRoute(message, length)) {
            routes.push_back(*route);
        }
    };
    if (!DumpEach(RTM_GETROUTE, AF_INET, collect) || !DumpEach(RTM_GETROUTE, AF_INET6, collect)) {
        return std::nullopt;
    }
    return routes;
}

bool LinkDumper::DumpEach(std::uint16_t type, std::uint8_t family, const MessageHandler& handle) {
    if (!socket_.Valid()) {
        socket_ = OpenRouteSocket();
    }
    const std::uint32_t sequence = ++sequence_;
    const bool done = socket_.Valid() && SendRequest(socket_, type, family, sequence) && Receive(sequence, handle);
    if (!done) {
        socket_ = UniqueFd();  // whatever is left of this dump goes with the socket
    }
    return done;
}

bool LinkDumper::Receive(std::uint32_t sequence, const MessageHandler& handle) {
    buffer_.resize(kReceiveBytes / sizeof(std::uint32_t));
    for (;;) {
        iovec part{buffer_.data(), kReceiveBytes};
        sockaddr_nl sender{};
        msghdr header{};
        header.msg_name = &sender;
        header.msg_namelen = sizeof sender;
        header.msg_iov = &part;
        header.msg_iovlen = 1;
        const ssize_t got = ::recvmsg(socket_.Get(), &header, 0);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0 || (header.msg_flags & MSG_TRUNC) || sender.nl_pid != 0) {
            return false;
        }
        switch (ReadPart(buffer_.data(), static_cast<std::size_t>(got), sequence, handle)) {
            case PartResult::Done:
                return true;
            case PartResult::Failed:
                return false;
            case PartResult::More:
                break;
        }
    }
}

std::optional<std::vector<NetworkInterface>> DumpLinks() {
    return LinkDumper().Dump();
}

}  // namespace quorell
