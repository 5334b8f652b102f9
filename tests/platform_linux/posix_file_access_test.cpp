#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "platform/linux/posix_file_access.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

class PosixFileAccessTest : public ::testing::Test {
protected:
    TempDir dir;
    const std::filesystem::path file = dir.File("a.ini");
};

// --- Reading -------------------------------------------------------------------------------------

TEST_F(PosixFileAccessTest, ReadTellsMissingFromUnreadable) {
    PosixFileAccess files;
    EXPECT_EQ(files.Read(file).status, FileReadStatus::kMissing);
    WriteFileBytes(dir.File("plain"), "x");
    EXPECT_EQ(files.Read(dir.File("plain") / "below").status, FileReadStatus::kMissing);
    EXPECT_EQ(files.Read(dir.Path()).status, FileReadStatus::kFailed);
    EXPECT_FALSE(files.Identify(dir.Path()).has_value());
    EXPECT_FALSE(files.Replace(dir.Path(), "x"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path()));

    WriteFileBytes(file, std::string_view("[s]\r\nk=\0v\r\n", 11));
    const FileSnapshot snapshot = files.Read(file);
    EXPECT_EQ(snapshot.status, FileReadStatus::kRead);
    EXPECT_EQ(snapshot.bytes, ReadFileBytes(file));
    EXPECT_EQ(files.Identify(file), snapshot.identity);
}

TEST_F(PosixFileAccessTest, FifoWithoutWriterFailsAtOnceInsteadOfBlocking) {
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    PosixFileAccess files;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(files.Read(file).status, FileReadStatus::kFailed);
    EXPECT_FALSE(files.Replace(file, "x"));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_TRUE(std::filesystem::is_fifo(file));
}

TEST_F(PosixFileAccessTest, FileLargerThanTheLimitIsNotRead) {
    WriteFileBytes(file, std::string(kMaxIniFileBytes + 1, 'x'));
    EXPECT_EQ(PosixFileAccess().Read(file).status, FileReadStatus::kFailed);
    WriteFileBytes(file, std::string(kMaxIniFileBytes, 'x'));
    EXPECT_EQ(PosixFileAccess().Read(file).status, FileReadStatus::kRead);
}

// --- Replacing -----------------------------------------------------------------------------------

TEST_F(PosixFileAccessTest, ReplaceGivesANewFileWithTheSameModeAndNoLeftovers) {
    PosixFileAccess files;
    ASSERT_TRUE(files.Replace(file, "one"));
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    const auto before = files.Identify(file);
    ASSERT_TRUE(files.Replace(file, "two"));
    EXPECT_EQ(ReadFileBytes(file), "two");
    EXPECT_NE(files.Identify(file)->inode, before->inode);
    EXPECT_EQ(
        std::filesystem::status(file).permissions() & std::filesystem::perms::all,
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
    ASSERT_TRUE(files.Replace(file, ""));
    EXPECT_EQ(ReadFileBytes(file), "");
    EXPECT_EQ(dir.Listing(), "a.ini");
}

TEST_F(PosixFileAccessTest, ReadOnlyFileIsNotReplaced) {
    WriteFileBytes(file, "kept");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    EXPECT_FALSE(PosixFileAccess().Replace(file, "changed"));
    EXPECT_EQ(ReadFileBytes(file), "kept");
    EXPECT_EQ(dir.Listing(), "a.ini");
}

TEST_F(PosixFileAccessTest, ReplaceWritesThroughASymbolicLinkAndKeepsTheLink) {
    PosixFileAccess files;
    WriteFileBytes(dir.File("target.ini"), "old");
    std::filesystem::create_symlink("target.ini", file);
    ASSERT_TRUE(files.Replace(file, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_EQ(ReadFileBytes(dir.File("target.ini")), "new");

    std::filesystem::create_symlink("nowhere/x.ini", dir.File("dangling.ini"));
    EXPECT_FALSE(files.Replace(dir.File("dangling.ini"), "x"));
    EXPECT_EQ(dir.Listing(), "a.ini dangling.ini target.ini");
}

// Each way a replacement can fail must leave the old file as it was and no temporary file behind.
struct FailurePoint {
    const char* name;
    PosixWriteCalls calls;
};

std::vector<FailurePoint> FailurePoints() {
    std::vector<FailurePoint> points;
    PosixWriteCalls full = PosixWriteCalls::System();
    full.write = [](int fd, const void* data, std::size_t size) -> long {
        if (size > 4)
            return static_cast<long>(::write(fd, data, size / 2));  // part of it fits
        errno = ENOSPC;
        return -1;
    };
    points.push_back({"disk full", full});
    PosixWriteCalls flush = PosixWriteCalls::System();
    flush.fsync = [](int) {
        errno = EIO;
        return -1;
    };
    points.push_back({"flush fails", flush});
    PosixWriteCalls rename = PosixWriteCalls::System();
    rename.rename = [](const char*, const char*) {
        errno = EXDEV;
        return -1;
    };
    points.push_back({"rename fails", rename});
    return points;
}

TEST_F(PosixFileAccessTest, FailedReplaceLeavesTheOldFileAndNothingElse) {
    const std::string old = "[s]\r\nk=old\r\n";
    WriteFileBytes(file, old);
    const std::string longer = "[s]\r\nk=" + std::string(100000, 'n') + "\r\n";
    for (FailurePoint& point : FailurePoints()) {
        PosixFileAccess files(point.calls);
        EXPECT_FALSE(files.Replace(file, longer)) << point.name;
        EXPECT_EQ(ReadFileBytes(file), old) << point.name;
        EXPECT_EQ(dir.Listing(), "a.ini") << point.name;
        EXPECT_FALSE(files.Replace(dir.File("new.ini"), longer)) << point.name;
        EXPECT_EQ(dir.Listing(), "a.ini") << point.name;
    }
}

}  // namespace
}  // namespace quorell
