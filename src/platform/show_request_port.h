#pragma once

#include <chrono>
#include <filesystem>
#include <functional>

namespace quorell {

// How a later start reaches the copy that records into the same run directory: it asks that copy to show
// its main window and ends once the copy confirmed it. Only the user's own copies hear each other. (Which
// copy records is decided by the run lock, not here.)
class ShowRequestPort {
public:
    // Tells the later start that its request was carried out. Callable from any thread, once; dropping it
    // uncalled tells the later start no (it asks again until its time is up).
    using Confirm = std::function<void()>;
    using OnRequest = std::function<void(Confirm confirm)>;

    virtual ~ShowRequestPort() = default;

    // The recording copy: from now on hears the requests of later starts in `runDirectory`. `onRequest`
    // runs on a thread of the back end or on the user-interface thread, so it must only hand the work over
    // (a queued call). False when the channel cannot be opened.
    virtual bool Listen(const std::filesystem::path& runDirectory, OnRequest onRequest) = 0;

    // A later start: asks the copy recording into `runDirectory` to show its main window. That copy may
    // still be starting, so it is asked until `wait` has passed. True once it confirmed.
    virtual bool AskRunningCopy(const std::filesystem::path& runDirectory, std::chrono::milliseconds wait) = 0;
};

}  // namespace quorell
