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

struct LinkRequest {
    nlmsghdr header;
    ifinfomsg info;
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

bool SendRequest(const UniqueFd& socket, std::uint32_t sequence) {
    LinkRequest request{};
    request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifinfomsg));
    request.header.nlmsg_type = RTM_GETLINK;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.header.nlmsg_seq = sequence;
    request.info.ifi_family = AF_UNSPEC;
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

PartResult ReadPart(const std::uint32_t* buffer, std::size_t length, std::uint32_t sequence,
                    std::vector<LinkMessage>& links) {
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
        if (auto link = ParseLinkMessage(reinterpret_cast<const std::uint8_t*>(message), message->nlmsg_len)) {
            links.push_back(std::move(*link));
        }
    }
    return PartResult::More;
}

}  // namespace

std::optional<std::vector<LinkMessage>> LinkDumper::Dump() {
    if (!socket_.Valid()) {
        socket_ = OpenRouteSocket();
    }
    const std::uint32_t sequence = ++sequence_;
    auto links = socket_.Valid() && SendRequest(socket_, sequence) ? Receive(sequence) : std::nullopt;
    if (!links) {
        socket_ = UniqueFd();  // whatever is left of this dump goes with the socket
    }
    return links;
}

std::optional<std::vector<LinkMessage>> LinkDumper::Receive(std::uint32_t sequence) {
    buffer_.resize(kReceiveBytes / sizeof(std::uint32_t));
    std::vector<LinkMessage> links;
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
            return std::nullopt;
        }
        switch (ReadPart(buffer_.data(), static_cast<std::size_t>(got), sequence, links)) {
            case PartResult::Done:
                return links;
            case PartResult::Failed:
                return std::nullopt;
            case PartResult::More:
                break;
        }
    }
}

std::optional<std::vector<LinkMessage>> DumpLinks() {
    return LinkDumper().Dump();
}

}  // namespace quorell
