#pragma once

#include <filesystem>
#include <string>

namespace quorell {

// One copy of the program records into a run directory: the copy that holds the directory's lock (a
// lock of the operating system on the file "quorell.lock" in it). The system drops the lock when its
// holder ends, however it ends, so a lock left behind by a crash never blocks a start.
class RunLockPort {
public:
    enum class Outcome {
        kHeld,           // this copy holds the lock until the port is destroyed
        kHeldByAnother,  // another running copy holds it
        kUnavailable,    // the lock file cannot be made or locked at all (Reason says why)
    };

    virtual ~RunLockPort() = default;
    virtual Outcome TryLock(const std::filesystem::path& directory) = 0;
    virtual std::string Reason() const = 0;
};

inline constexpr const char* kRunLockFileName = "quorell.lock";

}  // namespace quorell
