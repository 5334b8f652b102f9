#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
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

// --- Symbolic links ------------------------------------------------------------------------------

// The user's own link to the user's own file, here or anywhere: used as the file, and replaced beside
// the target so that the link stays a link.
TEST_F(PosixFileAccessTest, OwnLinkToOwnFileIsReadAndReplacedThroughTheLink) {
    std::vector<std::string> reports;
    PosixFileAccess files(PosixWriteCalls::System(), true, [&](const std::string& line) { reports.push_back(line); });
    TempDir elsewhere;
    WriteFileBytes(elsewhere.File("target.ini"), "old");
    std::filesystem::create_symlink(elsewhere.File("target.ini"), file);
    EXPECT_EQ(files.Read(file).bytes, "old");
    ASSERT_TRUE(files.Replace(file, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_EQ(ReadFileBytes(elsewhere.File("target.ini")), "new");
    EXPECT_EQ(files.Identify(file), files.Identify(elsewhere.File("target.ini")));
    EXPECT_EQ(elsewhere.Listing(), "target.ini");

    WriteFileBytes(dir.File("beside.ini"), "old");
    std::filesystem::create_symlink("beside.ini", dir.File("relative.ini"));
    ASSERT_TRUE(files.Replace(dir.File("relative.ini"), "new"));
    EXPECT_EQ(ReadFileBytes(dir.File("beside.ini")), "new");
    EXPECT_EQ(dir.Listing(), "a.ini beside.ini relative.ini");
    EXPECT_TRUE(reports.empty());
}

// Every other link is neither read nor written, leaves what it leads to as it was, and is reported on one
// line, once however often it is tried.
struct RefusedLinkCase {
    const char* name;
    const char* reason;
    bool needsRoot;  // another user's files can be made only as root
    // Makes `link` in a folder and whatever it leads to in `elsewhere`.
    std::function<void(const std::filesystem::path& link, const TempDir& elsewhere)> plant;
};

constexpr uid_t kNobody = 65534;

std::vector<RefusedLinkCase> RefusedLinkCases() {
    return {
        {"a directory", "to a directory", false,
         [](const auto& link, const TempDir& elsewhere) { std::filesystem::create_symlink(elsewhere.Path(), link); }},
        {"nothing", "to nothing", false,
         [](const auto& link, const TempDir& elsewhere) {
             std::filesystem::create_symlink(elsewhere.File("missing.ini"), link);
         }},
        {"a FIFO", "not a regular file", false,
         [](const auto& link, const TempDir& elsewhere) {
             ASSERT_EQ(::mkfifo(elsewhere.File("fifo").c_str(), 0600), 0);
             std::filesystem::create_symlink(elsewhere.File("fifo"), link);
         }},
        {"a further link", "to another link", false,
         [](const auto& link, const TempDir& elsewhere) {
             WriteFileBytes(elsewhere.File("target.ini"), "kept");
             std::filesystem::create_symlink(elsewhere.File("target.ini"), elsewhere.File("hop"));
             std::filesystem::create_symlink(elsewhere.File("hop"), link);
         }},
        {"a file of another user", "to a file of another user", true,
         [](const auto& link, const TempDir& elsewhere) {
             WriteFileBytes(elsewhere.File("target.ini"), "kept");
             ASSERT_EQ(::chown(elsewhere.File("target.ini").c_str(), kNobody, kNobody), 0);
             std::filesystem::create_symlink(elsewhere.File("target.ini"), link);
         }},
        {"a link planted by another user", "belongs to another user", true,
         [](const auto& link, const TempDir& elsewhere) {
             WriteFileBytes(elsewhere.File("target.ini"), "kept");
             std::filesystem::create_symlink(elsewhere.File("target.ini"), link);
             ASSERT_EQ(::lchown(link.c_str(), kNobody, kNobody), 0);
         }},
    };
}

void ExpectRefused(const RefusedLinkCase& refused) {
    SCOPED_TRACE(refused.name);
    TempDir folder;
    TempDir elsewhere;
    const std::filesystem::path link = folder.File("接收.FDB");
    refused.plant(link, elsewhere);
    const std::string before = elsewhere.Listing();
    const std::string content = ReadFileBytes(elsewhere.File("target.ini"));

    std::vector<std::string> reports;
    PosixFileAccess files(PosixWriteCalls::System(), true, [&](const std::string& line) { reports.push_back(line); });
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_EQ(files.Read(link).status, FileReadStatus::kFailed);
        EXPECT_FALSE(files.Identify(link));
        EXPECT_FALSE(files.Replace(link, "[其他]\r\n秒数=1\r\n"));
    }
    EXPECT_NE(files.LastFailure().find(refused.reason), std::string::npos) << files.LastFailure();
    EXPECT_EQ(elsewhere.Listing(), before);
    EXPECT_EQ(ReadFileBytes(elsewhere.File("target.ini")), content);
    EXPECT_EQ(folder.Listing(), "接收.FDB");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(link.native()), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find(refused.reason), std::string::npos) << reports[0];
    EXPECT_EQ(reports[0].find('\n'), std::string::npos);
}

TEST(PosixFileAccessLinks, OtherLinksOfTheUserAreNeitherReadNorWrittenAndReportedOnce) {
    for (const RefusedLinkCase& refused : RefusedLinkCases()) {
        if (!refused.needsRoot) {
            ExpectRefused(refused);
        }
    }
}

TEST(PosixFileAccessLinks, LinksInvolvingAnotherUserAreNeitherReadNorWrittenAndReportedOnce) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can make files and links of another user";
    }
    for (const RefusedLinkCase& refused : RefusedLinkCases()) {
        if (refused.needsRoot) {
            ExpectRefused(refused);
        }
    }
}

// A refusal is said once per streak: once the link leads to a file of the user's own it is used again,
// and a new refusal later is said again.
TEST_F(PosixFileAccessTest, ARefusedLinkIsReportedAgainAfterItWasUsable) {
    std::vector<std::string> reports;
    PosixFileAccess files(PosixWriteCalls::System(), true, [&](const std::string& line) { reports.push_back(line); });
    std::filesystem::create_symlink("target.ini", file);
    EXPECT_FALSE(files.Replace(file, "x"));
    EXPECT_FALSE(files.Replace(file, "x"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("target.ini")));
    WriteFileBytes(dir.File("target.ini"), "mine");
    EXPECT_EQ(files.Read(file).status, FileReadStatus::kRead);
    std::filesystem::remove(dir.File("target.ini"));
    EXPECT_EQ(files.Read(file).status, FileReadStatus::kFailed);
    EXPECT_EQ(reports.size(), 2u);
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
