#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorell {

// What tells one version of a file from another without reading it: a file replaced by rename gets a
// new inode, a file rewritten in place a new size or new timestamps.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // modification time, nanoseconds since the epoch
    std::int64_t changedNs = 0;   // status change time, nanoseconds since the epoch
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// File timestamps come from a clock that may advance only every few milliseconds, so a file changed
// twice within that time can keep its timestamps. A file whose timestamps are at least this old cannot
// change again without showing it; a younger one is not settled.
inline constexpr std::int64_t kFileSettleNs = 50'000'000;

enum class FileReadStatus {
    kRead,     // the file is a regular file and `bytes` holds all of it
    kMissing,  // no such file (a write may create it)
    kFailed,   // it exists but could not be read: not a regular file, no permission, too large, I/O error
};

struct FileSnapshot {
    FileReadStatus status = FileReadStatus::kMissing;
    std::string bytes;
    FileIdentity identity;
    // True when the file's timestamps were already older than the timestamp granularity of the file
    // system at the moment of reading, so any later change is bound to show in its identity. A snapshot
    // that is not settled must not be reused on the strength of its identity alone.
    bool settled = false;
};

// Whole-file access for the INI layer. A data file that is a symbolic link is used only when the link and
// the file it leads to belong to the user the program runs as and that file is a regular file; any other
// link is neither read (kFailed) nor replaced, so nothing is written outside the file's own directory
// except through such a link. The back end of each OS provides the real one; tests wrap or replace it to
// make reads and writes fail.
class FileAccess {
public:
    virtual ~FileAccess() = default;
    // Reads the whole file. Never blocks on special files (FIFOs, devices): those are kFailed.
    virtual FileSnapshot Read(const std::filesystem::path& file) = 0;
    // The identity of the regular file at `file`, or nullopt when there is none.
    virtual std::optional<FileIdentity> Identify(const std::filesystem::path& file) = 0;
    // Whether a file of this identity can no longer change without its identity showing it (its
    // timestamps are older than kFileSettleNs); file timestamps are read against the wall clock.
    virtual bool Settled(const FileIdentity& identity) {
        const std::int64_t now =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
                .count();
        return now - std::max(identity.modifiedNs, identity.changedNs) >= kFileSettleNs;
    }
    // Replaces (or creates) `file` with `bytes` so that no reader and no crash can ever see a partial
    // file: the bytes go to a temporary file in the same directory, which then takes the file's place.
    // Never creates a directory. On failure returns false and leaves `file` exactly as it was.
    virtual bool Replace(const std::filesystem::path& file, std::string_view bytes) = 0;
    // Why the last Read that gave kFailed, or the last Replace that gave false, failed: a few words to
    // follow the file's name in a message ("is a symbolic link to a file of another user", "No space
    // left on device"). Empty when the back end cannot tell.
    virtual std::string LastFailure() const { return {}; }
};

// Files larger than this are not read (a settings or history file is a few kilobytes).
inline constexpr std::uint64_t kMaxIniFileBytes = 4u * 1024u * 1024u;

}  // namespace quorell
