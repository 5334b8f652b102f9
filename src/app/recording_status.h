#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quorell {

// What the user is told when recording stops: a notification's title and text, and the short line the
// tray tip (or, without a tray, the main window's title) keeps until recording goes on.
struct RecordingNotice {
    std::string title;
    std::string text;
    std::string line;
};

RecordingNotice SaveFailedNotice(const std::filesystem::path& file, const std::string& reason);
RecordingNotice LockUnavailableNotice(const std::filesystem::path& directory, const std::string& reason);
RecordingNotice LockLostNotice(const std::filesystem::path& directory, const std::string& reason);
RecordingNotice TakenByAnotherNotice(const std::filesystem::path& directory);

// Whether this copy's recording has stopped, and why. The lock and the store report here from the
// start of the run on; the main window logic shows it once the program has a tray or a window. A stop
// is shown once; the first one of a streak stays until its cause ends (saves succeed again, the lock
// is taken again); a stop for good (the lock unavailable at the start, another copy recording) never ends.
class RecordingStatus {
public:
    enum class Cause { kSaving, kLock, kForGood };

    void Stop(Cause cause, RecordingNotice notice);
    void Resume(Cause cause);

    const std::optional<RecordingNotice>& Current() const { return current_; }
    // The current stop when it has not been shown yet; marks it shown.
    std::optional<RecordingNotice> TakeUnshown();

    // Called after every change of Current(); empty: nobody listens.
    void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    void Changed() const;

    std::optional<RecordingNotice> current_;
    Cause cause_ = Cause::kSaving;
    bool shown_ = false;
    std::function<void()> listener_;
};

}  // namespace quorell
