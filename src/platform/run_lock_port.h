#pragma once

#include <filesystem>
#include <string>

namespace quorell {

// One copy of the program records into a run directory: the copy that holds the directory's lock (a
// lock of the operating system on the file "quorell.lock" in it). The system drops the lock when its
// holder ends, however it ends, so a lock left behind by a crash never blocks a start.
//
// The lock file is the user's alone and is never reached through a link: a link, FIFO or directory in
// its place, or a file of another user that cannot be replaced, makes the lock unavailable. Since a file
// can be deleted or replaced while it is locked, the holder asks StillHeld before it writes.
class RunLockPort {
public:
    enum class Outcome {
        kHeld,           // this copy holds the lock until the port is destroyed or TryLock is called again
        kHeldByAnother,  // another running copy holds it
        kUnavailable,    // the lock file cannot be made or locked at all (Reason says why)
    };

    virtual ~RunLockPort() = default;
    // Lets go of any lock held, then tries to take the lock of `directory`.
    virtual Outcome TryLock(const std::filesystem::path& directory) = 0;
    // Whether the file this copy locked is still the directory's lock file (the same file at the same
    // name). False when nothing is held, or once the file was deleted or another took its place.
    virtual bool StillHeld() = 0;
    // Why the last TryLock gave kUnavailable, in words that name the lock file.
    virtual std::string Reason() const = 0;
};

inline constexpr const char* kRunLockFileName = "quorell.lock";

}  // namespace quorell
