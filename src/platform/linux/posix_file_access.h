#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>

#include "runtime/file_access.h"

namespace quorell {

// The system calls that can fail while a file is replaced, so that a test can make them fail the way
// a full disk or a broken rename does and check that nothing is left behind.
struct PosixWriteCalls {
    std::function<long(int fd, const void* data, std::size_t size)> write;
    std::function<int(int fd)> fsync;
    std::function<int(const char* from, const char* to)> rename;

    static PosixWriteCalls System();
};

// Whole-file reads with open/fstat/read, atomic replacement through a temporary file in the same
// directory (written, flushed to storage with fsync, then renamed over the file).
class PosixFileAccess final : public FileAccess {
public:
    // A file whose timestamps are at least this old when it is read is settled (see kFileSettleNs).
    static constexpr std::int64_t kSettleNs = kFileSettleNs;

    explicit PosixFileAccess(PosixWriteCalls calls = PosixWriteCalls::System(), bool flushBeforeRename = true);

    FileSnapshot Read(const std::filesystem::path& file) override;
    std::optional<FileIdentity> Identify(const std::filesystem::path& file) override;
    bool Replace(const std::filesystem::path& file, std::string_view bytes) override;

private:
    PosixWriteCalls calls_;
    bool flushBeforeRename_;
    std::mt19937_64 tempNames_;
};

}  // namespace quorell
