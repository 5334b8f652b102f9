#pragma once

#include <functional>
#include <thread>

#include "platform/linux/unique_fd.h"
#include "platform/termination_port.h"

namespace quorell {

// SIGTERM, SIGINT and SIGHUP: the handler writes one byte into a socket pair (the only work a signal
// handler may do); a thread of its own waits on the other end and reports each request. One instance
// per process.
class LinuxTermination final : public TerminationPort {
public:
    LinuxTermination() = default;
    ~LinuxTermination() override;
    LinuxTermination(const LinuxTermination&) = delete;
    LinuxTermination& operator=(const LinuxTermination&) = delete;

    bool Watch(std::function<void()> onRequest) override;

private:
    UniqueFd signalEnd_;
    UniqueFd waitEnd_;
    UniqueFd stopWrite_;
    UniqueFd stopRead_;
    std::thread waiter_;
};

}  // namespace quorell
