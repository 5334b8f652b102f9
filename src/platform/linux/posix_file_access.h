#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <unordered_map>

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

// Writes one line to standard error.
void ReportToStandardError(const std::string& line);

// Whole-file reads with open/fstat/read, atomic replacement through a temporary file in the same
// directory (written, flushed to storage with fsync, then renamed over the file). A symbolic link is
// used only as own_link.h allows; a refused link is reported once through `report` (one line naming the
// file and why), and again only after the file has been used in between or the reason has changed.
class PosixFileAccess final : public FileAccess {
public:
    using Report = std::function<void(const std::string& line)>;

    // A file whose timestamps are at least this old when it is read is settled (see kFileSettleNs).
    static constexpr std::int64_t kSettleNs = kFileSettleNs;

    explicit PosixFileAccess(PosixWriteCalls calls = PosixWriteCalls::System(), bool flushBeforeRename = true,
                             Report report = ReportToStandardError);

    FileSnapshot Read(const std::filesystem::path& file) override;
    std::optional<FileIdentity> Identify(const std::filesystem::path& file) override;
    bool Replace(const std::filesystem::path& file, std::string_view bytes) override;
    std::string LastFailure() const override { return lastFailure_; }

private:
    void Refuse(const std::string& file, const std::string& reason);
    void Accept(const std::string& file);

    PosixWriteCalls calls_;
    bool flushBeforeRename_;
    Report report_;
    std::mt19937_64 tempNames_;
    std::string lastFailure_;
    // The files whose links are refused, with the reason last reported.
    std::unordered_map<std::string, std::string> refused_;
};

}  // namespace quorell
