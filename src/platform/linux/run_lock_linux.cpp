#include "platform/linux/run_lock_linux.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "platform/linux/flock_holder.h"

namespace quorell {
namespace {

// A lock file replaced this often between our open and our lock is being fought over; we give up.
constexpr int kOpenAttempts = 8;

std::string Describe(const std::filesystem::path& file, const std::string& what) {
    return file.string() + " " + what;
}

std::string OtherUser(uid_t user) {
    return "another user (uid " + std::to_string(user) + ")";
}

}  // namespace

RunLockPort::Outcome LinuxRunLock::TryLock(const std::filesystem::path& directory) {
    fd_ = UniqueFd();
    file_ = directory / kRunLockFileName;
    reason_.clear();
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        bool retry = false;
        UniqueFd fd = Open(directory, retry);
        if (retry) {
            continue;
        }
        if (!fd.Valid()) {
            return Outcome::kUnavailable;
        }
        if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) {
                // Another user can hold it only through a file opened while others could (an earlier
                // version made it so): that is no copy of ours, and the file is replaced like theirs.
                struct stat st {};
                const std::optional<uid_t> holder =
                    ::fstat(fd.Get(), &st) == 0 ? FlockHolder(st.st_dev, st.st_ino) : std::nullopt;
                if (!holder || *holder == ::geteuid()) {
                    return Outcome::kHeldByAnother;
                }
                RemoveForeign(directory, "is held by " + OtherUser(*holder), retry);
                if (retry) {
                    continue;
                }
                return Outcome::kUnavailable;
            }
            reason_ = Describe(file_, std::string("cannot be locked: ") + std::strerror(errno));
            return Outcome::kUnavailable;
        }
        // Deleted or replaced since we opened it: the lock on it is nobody's business; open the new one.
        if (Named(fd.Get())) {
            fd_ = std::move(fd);
            return Outcome::kHeld;
        }
    }
    reason_ = Describe(file_, "keeps being replaced");
    return Outcome::kUnavailable;
}

bool LinuxRunLock::StillHeld() {
    return fd_.Valid() && Named(fd_.Get());
}

UniqueFd LinuxRunLock::Open(const std::filesystem::path& directory, bool& retry) {
    // Never through a link; non-blocking, so that a FIFO put in its place cannot stall the start.
    constexpr int kFlags = O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK;
    UniqueFd fd(::open(file_.c_str(), O_RDWR | O_CREAT | kFlags, 0600));
    if (!fd.Valid() && (errno == EACCES || errno == EROFS)) {
        // A read-only folder, or a file we may not write: it may still be ours to lock for reading.
        const int writeError = errno;
        fd = UniqueFd(::open(file_.c_str(), O_RDONLY | kFlags));
        if (!fd.Valid() && errno == ENOENT) {
            errno = writeError;
        }
    }
    if (!fd.Valid()) {
        const int error = errno;
        struct stat named {};
        if (error == ELOOP) {
            reason_ = Describe(file_, "is a symbolic link");
        } else if (error == EISDIR) {
            reason_ = Describe(file_, "is a directory");
        } else if (error == EACCES && ::lstat(file_.c_str(), &named) == 0 && named.st_uid != ::geteuid()) {
            RemoveForeign(directory, "belongs to " + OtherUser(named.st_uid), retry);
        } else {
            reason_ = Describe(file_, std::string("cannot be opened: ") + std::strerror(error));
        }
        return UniqueFd();
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
        reason_ = Describe(file_, std::string("cannot be examined: ") + std::strerror(errno));
        return UniqueFd();
    }
    if (!S_ISREG(st.st_mode)) {
        reason_ = Describe(file_, "is not a regular file");
        return UniqueFd();
    }
    if (st.st_uid != ::geteuid()) {
        RemoveForeign(directory, "belongs to " + OtherUser(st.st_uid), retry);
        return UniqueFd();
    }
    // A file left open to others (by an earlier version) is made ours alone from now on.
    if ((st.st_mode & 077) != 0) {
        ::fchmod(fd.Get(), 0600);
    }
    return fd;
}

void LinuxRunLock::RemoveForeign(const std::filesystem::path& directory, const std::string& whose, bool& retry) {
    struct stat folder {};
    if (::stat(directory.c_str(), &folder) != 0 || folder.st_uid != ::geteuid()) {
        reason_ = Describe(file_, whose + " in a folder that is not ours");
        return;
    }
    if (::unlink(file_.c_str()) != 0 && errno != ENOENT) {
        reason_ = Describe(file_, whose + " and cannot be removed: " + std::strerror(errno));
        return;
    }
    retry = true;
}

bool LinuxRunLock::Named(int fd) const {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::lstat(file_.c_str(), &named) == 0 && S_ISREG(named.st_mode) &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace quorell
