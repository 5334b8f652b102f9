#include "platform/linux/posix_file_access.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/linux/unique_fd.h"

namespace quorell {
namespace {

std::int64_t Nanoseconds(const timespec& t) {
    return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
}

FileIdentity IdentityOf(const struct stat& st) {
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                        static_cast<std::uint64_t>(st.st_size), Nanoseconds(st.st_mtim), Nanoseconds(st.st_ctim)};
}

std::int64_t RealTimeNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

bool ReadAll(int fd, std::string& bytes, std::size_t expected) {
    bytes.clear();
    bytes.resize(expected + 1);  // one more, to notice a file that grew while it was read
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > kMaxIniFileBytes)
                return false;
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return filled <= kMaxIniFileBytes;
}

// The file a replacement must take the place of: the target of a symbolic link, so that the link
// stays a link. Empty when the link leads nowhere.
std::string ReplacementTarget(const std::string& file) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return file;
    char* resolved = ::realpath(file.c_str(), nullptr);
    if (resolved == nullptr)
        return {};
    std::string target(resolved);
    ::free(resolved);
    return target;
}

std::string DirectoryOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return file.substr(0, slash);
}

}  // namespace

PosixWriteCalls PosixWriteCalls::System() {
    return PosixWriteCalls{
        [](int fd, const void* data, std::size_t size) { return static_cast<long>(::write(fd, data, size)); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); },
    };
}

PosixFileAccess::PosixFileAccess(PosixWriteCalls calls, bool flushBeforeRename)
    : calls_(std::move(calls)), flushBeforeRename_(flushBeforeRename), tempNames_(std::random_device{}()) {}

FileSnapshot PosixFileAccess::Read(const std::filesystem::path& file) {
    FileSnapshot snapshot;
    const std::int64_t startedNs = RealTimeNs();
    // Non-blocking, so that a FIFO without a writer cannot stall the open.
    UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.Valid()) {
        snapshot.status = (errno == ENOENT || errno == ENOTDIR) ? FileReadStatus::kMissing : FileReadStatus::kFailed;
        return snapshot;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uint64_t>(st.st_size) > kMaxIniFileBytes ||
        !ReadAll(fd.Get(), snapshot.bytes, static_cast<std::size_t>(st.st_size))) {
        snapshot.bytes.clear();
        snapshot.status = FileReadStatus::kFailed;
        return snapshot;
    }
    snapshot.status = FileReadStatus::kRead;
    snapshot.identity = IdentityOf(st);
    const std::int64_t newest = std::max(snapshot.identity.modifiedNs, snapshot.identity.changedNs);
    // A file that changed size while it was read will not match its identity: it is read again next time.
    snapshot.settled = snapshot.bytes.size() == static_cast<std::size_t>(st.st_size) && startedNs - newest >= kSettleNs;
    return snapshot;
}

std::optional<FileIdentity> PosixFileAccess::Identify(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return IdentityOf(st);
}

bool PosixFileAccess::Replace(const std::filesystem::path& file, std::string_view bytes) {
    const std::string target = ReplacementTarget(file.native());
    if (target.empty())
        return false;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return false;
    // A rename would replace a file marked read-only as easily as any other; it is left as it is, as
    // a write in place would have to.
    if (exists && ((existing.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
        return false;

    // A new name in the same directory, so that the rename stays within one file system.
    const std::string directory = DirectoryOf(target);
    std::string temp;
    UniqueFd fd;
    for (int attempt = 0; attempt < 16 && !fd.Valid(); ++attempt) {
        char name[40];
        std::snprintf(name, sizeof name, "/.quorell-%016llx.tmp", static_cast<unsigned long long>(tempNames_()));
        temp = directory + name;
        // 0666 less the umask, as for any new file; an existing file's mode is copied below.
        fd = UniqueFd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
        if (!fd.Valid() && errno != EEXIST)
            return false;
    }
    if (!fd.Valid())
        return false;

    bool ok = true;
    if (exists) {
        ok = ::fchmod(fd.Get(), existing.st_mode & 07777) == 0;
        // Keeps the owner when we may (as root); otherwise the file becomes ours, as any rewrite would.
        if (ok && ::fchown(fd.Get(), existing.st_uid, existing.st_gid) != 0) {
        }
    }
    std::size_t written = 0;
    while (ok && written < bytes.size()) {
        const long done = calls_.write(fd.Get(), bytes.data() + written, bytes.size() - written);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            ok = false;
        else
            written += static_cast<std::size_t>(done);
    }
    if (ok && flushBeforeRename_)
        ok = calls_.fsync(fd.Get()) == 0;
    if (!fd.Close())
        ok = false;
    if (ok)
        ok = calls_.rename(temp.c_str(), target.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

std::unique_ptr<FileAccess> MakeSystemFileAccess() {
    return std::make_unique<PosixFileAccess>();
}

}  // namespace quorell
