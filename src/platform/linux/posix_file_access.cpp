#include "platform/linux/posix_file_access.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <variant>

#include "platform/linux/own_link.h"
#include "platform/linux/unique_fd.h"
#include "platform/system_files.h"

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

std::string DirectoryOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return file.substr(0, slash);
}

std::string SystemError(int error) {
    return std::strerror(error);
}

}  // namespace

void ReportToStandardError(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

PosixWriteCalls PosixWriteCalls::System() {
    return PosixWriteCalls{
        [](int fd, const void* data, std::size_t size) { return static_cast<long>(::write(fd, data, size)); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); },
    };
}

PosixFileAccess::PosixFileAccess(PosixWriteCalls calls, bool flushBeforeRename, Report report)
    : calls_(std::move(calls)),
      flushBeforeRename_(flushBeforeRename),
      report_(std::move(report)),
      tempNames_(std::random_device{}()) {}

void PosixFileAccess::Refuse(const std::string& file, const std::string& reason) {
    lastFailure_ = reason;
    auto [it, added] = refused_.try_emplace(file, reason);
    if (!added && it->second == reason) {
        return;  // said once for this streak
    }
    it->second = reason;
    if (report_) {
        report_("quorell: " + file + " " + reason + "; it is neither read nor written");
    }
}

void PosixFileAccess::Accept(const std::string& file) {
    refused_.erase(file);
}

FileSnapshot PosixFileAccess::Read(const std::filesystem::path& file) {
    FileSnapshot snapshot;
    snapshot.status = FileReadStatus::kFailed;
    const std::string& name = file.native();
    const std::int64_t startedNs = RealTimeNs();
    struct stat own {};
    if (::lstat(name.c_str(), &own) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            Accept(name);
            snapshot.status = FileReadStatus::kMissing;
        } else {
            lastFailure_ = SystemError(errno);
        }
        return snapshot;
    }
    // Non-blocking, so that a FIFO without a writer cannot stall the open. A path that is not a link is
    // opened without following one, so that a link put there since it was looked at is not followed.
    int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    std::optional<struct stat> linked;
    if (S_ISLNK(own.st_mode)) {
        auto checked = CheckOwnLink(name, own);
        if (const auto* refused = std::get_if<RefusedLink>(&checked)) {
            Refuse(name, refused->reason);
            return snapshot;
        }
        linked = std::get<OwnLink>(checked).target;
    } else {
        flags |= O_NOFOLLOW;
    }
    UniqueFd fd(::open(name.c_str(), flags));
    if (!fd.Valid()) {
        lastFailure_ = SystemError(errno);
        return snapshot;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
        lastFailure_ = SystemError(errno);
        return snapshot;
    }
    if (linked && (st.st_dev != linked->st_dev || st.st_ino != linked->st_ino)) {
        lastFailure_ = "was changed while it was read";
        return snapshot;
    }
    if (!S_ISREG(st.st_mode)) {
        lastFailure_ = "is not a regular file";
        return snapshot;
    }
    const bool tooLarge = static_cast<std::uint64_t>(st.st_size) > kMaxIniFileBytes;
    if (tooLarge || !ReadAll(fd.Get(), snapshot.bytes, static_cast<std::size_t>(st.st_size))) {
        // ReadAll stops with more than the limit read when the file grew past it.
        lastFailure_ =
            tooLarge || snapshot.bytes.size() > kMaxIniFileBytes ? "is too large for a data file" : SystemError(errno);
        snapshot.bytes.clear();
        return snapshot;
    }
    Accept(name);
    snapshot.status = FileReadStatus::kRead;
    snapshot.identity = IdentityOf(st);
    const std::int64_t newest = std::max(snapshot.identity.modifiedNs, snapshot.identity.changedNs);
    // A file that changed size while it was read will not match its identity: it is read again next time.
    snapshot.settled = snapshot.bytes.size() == static_cast<std::size_t>(st.st_size) && startedNs - newest >= kSettleNs;
    return snapshot;
}

std::optional<FileIdentity> PosixFileAccess::Identify(const std::filesystem::path& file) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0)
        return std::nullopt;
    if (S_ISLNK(st.st_mode)) {
        const auto checked = CheckOwnLink(file.native(), st);
        if (!std::holds_alternative<OwnLink>(checked))
            return std::nullopt;
        st = std::get<OwnLink>(checked).target;
    }
    if (!S_ISREG(st.st_mode))
        return std::nullopt;
    return IdentityOf(st);
}

bool PosixFileAccess::Replace(const std::filesystem::path& file, std::string_view bytes) {
    const std::string& name = file.native();
    // The file whose place the new one takes: `file` itself, or the target of a link that may be
    // followed, so that the link stays a link.
    std::string target = name;
    struct stat existing {};
    bool exists = false;
    if (::lstat(name.c_str(), &existing) == 0) {
        exists = true;
        if (S_ISLNK(existing.st_mode)) {
            auto checked = CheckOwnLink(name, existing);
            if (const auto* refused = std::get_if<RefusedLink>(&checked)) {
                Refuse(name, refused->reason);
                return false;
            }
            existing = std::get<OwnLink>(checked).target;
            target = std::get<OwnLink>(checked).targetPath;
        }
    } else if (errno != ENOENT) {
        lastFailure_ = SystemError(errno);
        return false;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        lastFailure_ = "is not a regular file";
        return false;
    }
    // A rename would replace a file marked read-only as easily as any other; it is left as it is, as
    // a write in place would have to.
    if (exists && ((existing.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
        lastFailure_ = "is read-only";
        return false;
    }

    // A new name in the same directory, so that the rename stays within one file system.
    const std::string directory = DirectoryOf(target);
    std::string temp;
    UniqueFd fd;
    for (int attempt = 0; attempt < 16 && !fd.Valid(); ++attempt) {
        char tempName[40];
        std::snprintf(tempName, sizeof tempName, "/.quorell-%016llx.tmp",
                      static_cast<unsigned long long>(tempNames_()));
        temp = directory + tempName;
        // 0666 less the umask, as for any new file; an existing file's mode is copied below.
        fd = UniqueFd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
        if (!fd.Valid() && errno != EEXIST) {
            lastFailure_ = "cannot be written beside: " + SystemError(errno);
            return false;
        }
    }
    if (!fd.Valid()) {
        lastFailure_ = "cannot be written beside: no free temporary name";
        return false;
    }

    int error = 0;
    if (exists) {
        if (::fchmod(fd.Get(), existing.st_mode & 07777) != 0)
            error = errno;
        // Keeps the owner when we may (as root); otherwise the file becomes ours, as any rewrite would.
        if (error == 0 && ::fchown(fd.Get(), existing.st_uid, existing.st_gid) != 0) {
        }
    }
    std::size_t written = 0;
    while (error == 0 && written < bytes.size()) {
        const long done = calls_.write(fd.Get(), bytes.data() + written, bytes.size() - written);
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            error = errno;
        else if (done == 0)
            error = ENOSPC;
        else
            written += static_cast<std::size_t>(done);
    }
    if (error == 0 && flushBeforeRename_ && calls_.fsync(fd.Get()) != 0)
        error = errno;
    if (!fd.Close() && error == 0)
        error = errno;
    if (error == 0 && calls_.rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        lastFailure_ = SystemError(error);
        return false;
    }
    Accept(name);
    return true;
}

std::unique_ptr<FileAccess> MakeSystemFileAccess() {
    // The program's store tells every failure, with LastFailure's words, once per streak.
    return std::make_unique<PosixFileAccess>(PosixWriteCalls::System(), true, PosixFileAccess::Report{});
}

}  // namespace quorell
