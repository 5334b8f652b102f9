#pragma once

#include <filesystem>
#include <optional>
#include <thread>

#include "platform/linux/unique_fd.h"
#include "platform/show_request_port.h"

namespace quorell {

// A later start's request over a Unix socket in the user's private socket folder, one socket per run
// directory. The later start sends "show\n"; the recording copy answers "shown\n" once its main window
// is shown. Each side checks the other's user (SO_PEERCRED): the recording copy ignores other users'
// requests, and a later start believes only a listener of its own user.
class LinuxShowRequests final : public ShowRequestPort {
public:
    // `runtimeFolder`: $XDG_RUNTIME_DIR (may be empty); `sharedBase`: the temporary directory, where a
    // private folder is made when the runtime folder is not private.
    LinuxShowRequests(std::filesystem::path runtimeFolder, std::filesystem::path sharedBase);
    ~LinuxShowRequests() override;
    LinuxShowRequests(const LinuxShowRequests&) = delete;
    LinuxShowRequests& operator=(const LinuxShowRequests&) = delete;

    bool Listen(const std::filesystem::path& runDirectory, OnRequest onRequest) override;
    bool AskRunningCopy(const std::filesystem::path& runDirectory, std::chrono::milliseconds wait) override;

    // The socket of `runDirectory`'s recording copy; nothing when no private folder can be had.
    std::optional<std::filesystem::path> SocketPath(const std::filesystem::path& runDirectory) const;

private:
    std::filesystem::path runtimeFolder_;
    std::filesystem::path sharedBase_;
    std::filesystem::path listening_;
    UniqueFd listener_;
    UniqueFd stopWrite_;
    UniqueFd stopRead_;
    std::thread server_;
};

}  // namespace quorell
