#include "platform/linux/show_requests_linux.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/linux/private_folder.h"
#include "platform/linux/wait_readable.h"

namespace quorell {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kRequest = "show\n";
constexpr std::string_view kAnswer = "shown\n";
// How long the recording copy waits for a connected later start to say what it wants.
constexpr int kRequestWaitMs = 1000;
constexpr auto kRetryPause = std::chrono::milliseconds(100);

// A stable name per run directory (the same in every build), short enough for a socket's address.
std::string SocketName(const std::filesystem::path& runDirectory) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::weakly_canonical(runDirectory, error);
    if (error) {
        folder = runDirectory.lexically_normal();
    }
    std::string text = folder.native();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const unsigned char c : text) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    char name[48];
    std::snprintf(name, sizeof name, "quorell-%016llx.socket", static_cast<unsigned long long>(hash));
    return name;
}

std::optional<sockaddr_un> AddressOf(const std::filesystem::path& socket) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string& text = socket.native();
    if (text.size() >= sizeof address.sun_path) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return address;
}

bool PeerIsThisUser(int connection) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && size == sizeof peer &&
           peer.uid == ::geteuid();
}

// Reads until `expected` has come whole or the deadline has passed; false at a different text, end or error.
bool Receive(int connection, std::string_view expected, Clock::time_point deadline) {
    std::string received;
    while (received.size() < expected.size()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd wait{connection, POLLIN, 0};
        if (left <= 0 || ::poll(&wait, 1, static_cast<int>(left)) <= 0) {
            return false;
        }
        char bytes[16];
        const ssize_t got = ::recv(connection, bytes, expected.size() - received.size(), 0);
        if (got <= 0) {
            return false;
        }
        received.append(bytes, static_cast<std::size_t>(got));
        if (expected.substr(0, received.size()) != received) {
            return false;
        }
    }
    return true;
}

bool Send(int connection, std::string_view text) {
    return ::send(connection, text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT) ==
           static_cast<ssize_t>(text.size());
}

void Serve(int listener, int stop, const ShowRequestPort::OnRequest& onRequest) {
    while (WaitReadable(listener, stop)) {
        UniqueFd connection(::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC));
        // Another user's request is not heard at all.
        if (!connection.Valid() || !PeerIsThisUser(connection.Get()) ||
            !Receive(connection.Get(), kRequest, Clock::now() + std::chrono::milliseconds(kRequestWaitMs))) {
            continue;
        }
        // The connection stays open until the request is confirmed or dropped unanswered.
        auto open = std::make_shared<UniqueFd>(std::move(connection));
        try {
            onRequest([open] { Send(open->Get(), kAnswer); });
        } catch (...) {
            // A request that cannot be handed over goes unanswered.
        }
    }
}

}  // namespace

LinuxShowRequests::LinuxShowRequests(std::filesystem::path runtimeFolder, std::filesystem::path sharedBase)
    : runtimeFolder_(std::move(runtimeFolder)), sharedBase_(std::move(sharedBase)) {}

LinuxShowRequests::~LinuxShowRequests() {
    if (server_.joinable()) {
        const char byte = 0;
        [[maybe_unused]] const auto written = ::write(stopWrite_.Get(), &byte, 1);
        server_.join();
    }
    if (!listening_.empty()) {
        ::unlink(listening_.c_str());
    }
}

std::optional<std::filesystem::path> LinuxShowRequests::SocketPath(const std::filesystem::path& runDirectory) const {
    const std::optional<std::filesystem::path> folder = PrivateSocketFolder(runtimeFolder_, sharedBase_);
    if (!folder) {
        return std::nullopt;
    }
    return *folder / SocketName(runDirectory);
}

bool LinuxShowRequests::Listen(const std::filesystem::path& runDirectory, OnRequest onRequest) {
    if (server_.joinable()) {
        return false;
    }
    const std::optional<std::filesystem::path> socket = SocketPath(runDirectory);
    const std::optional<sockaddr_un> address = socket ? AddressOf(*socket) : std::nullopt;
    if (!address) {
        return false;
    }
    // This copy holds the run directory's lock, so a socket left there belongs to a copy that has ended.
    ::unlink(socket->c_str());
    UniqueFd listener(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!listener.Valid() ||
        ::bind(listener.Get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
        return false;
    }
    listening_ = *socket;
    int stop[2];
    if (::listen(listener.Get(), 8) != 0 || ::pipe2(stop, O_CLOEXEC) != 0) {
        return false;
    }
    stopRead_ = UniqueFd(stop[0]);
    stopWrite_ = UniqueFd(stop[1]);
    listener_ = std::move(listener);
    server_ = std::thread([listener = listener_.Get(), stopFd = stopRead_.Get(), onRequest = std::move(onRequest)] {
        Serve(listener, stopFd, onRequest);
    });
    return true;
}

bool LinuxShowRequests::AskRunningCopy(const std::filesystem::path& runDirectory, std::chrono::milliseconds wait) {
    const Clock::time_point deadline = Clock::now() + wait;
    const std::optional<std::filesystem::path> socket = SocketPath(runDirectory);
    const std::optional<sockaddr_un> address = socket ? AddressOf(*socket) : std::nullopt;
    if (!address) {
        return false;
    }
    for (;;) {
        UniqueFd connection(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        if (!connection.Valid()) {
            return false;
        }
        if (::connect(connection.Get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0) {
            // A listener of another user is never told anything, nor believed.
            if (!PeerIsThisUser(connection.Get())) {
                return false;
            }
            if (Send(connection.Get(), kRequest) && Receive(connection.Get(), kAnswer, deadline)) {
                return true;
            }
        }
        // Not listening yet, or the request went unanswered while the copy was still starting.
        const Clock::time_point now = Clock::now();
        if (now >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(kRetryPause, deadline - now));
    }
}

}  // namespace quorell
