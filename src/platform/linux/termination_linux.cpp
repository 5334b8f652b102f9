#include "platform/linux/termination_linux.h"

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <utility>

#include "platform/linux/wait_readable.h"

namespace quorell {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
std::atomic<int> signalFd{-1};

void OnSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalFd.load(), &byte, 1);
    errno = saved;
}

void SetHandlers(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

bool MakePair(UniqueFd& a, UniqueFd& b, int extraFlags) {
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | extraFlags, 0, fds) != 0) {
        return false;
    }
    a = UniqueFd(fds[0]);
    b = UniqueFd(fds[1]);
    return true;
}

}  // namespace

bool LinuxTermination::Watch(std::function<void()> onRequest) {
    if (waiter_.joinable() || !MakePair(signalEnd_, waitEnd_, SOCK_NONBLOCK) || !MakePair(stopWrite_, stopRead_, 0)) {
        return false;
    }
    signalFd.store(signalEnd_.Get());
    waiter_ = std::thread([wait = waitEnd_.Get(), stop = stopRead_.Get(), onRequest = std::move(onRequest)] {
        while (WaitReadable(wait, stop)) {
            char bytes[16];
            bool requested = false;
            while (::read(wait, bytes, sizeof bytes) > 0) {
                requested = true;
            }
            if (requested) {
                onRequest();
            }
        }
    });
    SetHandlers(OnSignal);
    return true;
}

LinuxTermination::~LinuxTermination() {
    if (!waiter_.joinable()) {
        return;
    }
    SetHandlers(SIG_DFL);
    signalFd.store(-1);
    const char byte = 0;
    [[maybe_unused]] const auto written = ::write(stopWrite_.Get(), &byte, 1);
    waiter_.join();
}

}  // namespace quorell
