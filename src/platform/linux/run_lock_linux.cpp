#include "platform/linux/run_lock_linux.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace quorell {

RunLockPort::Outcome LinuxRunLock::TryLock(const std::filesystem::path& directory) {
    const std::filesystem::path file = directory / kRunLockFileName;
    // Never through a link: the lock file is ours, in the run directory, and nothing is written to it.
    UniqueFd fd(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, 0644));
    if (!fd.Valid()) {
        // Without write access the file may still be there to lock for reading (a read-only folder).
        fd = UniqueFd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW));
    }
    if (!fd.Valid()) {
        reason_ = file.string() + ": " + std::strerror(errno);
        return Outcome::kUnavailable;
    }
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            return Outcome::kHeldByAnother;
        }
        reason_ = file.string() + ": " + std::strerror(errno);
        return Outcome::kUnavailable;
    }
    fd_ = std::move(fd);
    return Outcome::kHeld;
}

}  // namespace quorell
