#include "platform/linux/run_lock_linux.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace quorell {
namespace {

namespace fs = std::filesystem;

TEST(LinuxRunLock, TheLockFileIsTheUsersAloneAndNothingElseInItsPlaceIsUsed) {
    testing::TempDir dir;
    const fs::path lockFile = dir.Path() / kRunLockFileName;
    {
        LinuxRunLock first;
        ASSERT_EQ(first.TryLock(dir.Path()), RunLockPort::Outcome::kHeld);
        struct stat made {};
        ASSERT_EQ(::stat(lockFile.c_str(), &made), 0);
        EXPECT_EQ(made.st_mode & 0777, 0600);
        LinuxRunLock second;
        EXPECT_EQ(second.TryLock(dir.Path()), RunLockPort::Outcome::kHeldByAnother);
    }
    // A file left open to others by an earlier version becomes the user's alone.
    fs::permissions(lockFile, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                  fs::perms::others_read);
    {
        LinuxRunLock again;
        ASSERT_EQ(again.TryLock(dir.Path()), RunLockPort::Outcome::kHeld);
        EXPECT_EQ(fs::status(lockFile).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    }

    // A link (even to a file of ours), a FIFO or a directory is refused with its name; nothing is made.
    const auto refused = [&](const char* what) {
        LinuxRunLock lock;
        EXPECT_EQ(lock.TryLock(dir.Path()), RunLockPort::Outcome::kUnavailable) << what;
        EXPECT_EQ(lock.Reason(), lockFile.string() + " " + what);
        EXPECT_FALSE(lock.StillHeld());
        fs::remove(lockFile);
    };
    fs::remove(lockFile);
    fs::create_symlink(dir.Path() / "nowhere", lockFile);
    refused("is a symbolic link");
    EXPECT_FALSE(fs::exists(dir.Path() / "nowhere"));
    testing::WriteFileBytes(dir.Path() / "ours", "");
    fs::create_symlink(dir.Path() / "ours", lockFile);
    refused("is a symbolic link");
    ASSERT_EQ(::mkfifo(lockFile.c_str(), 0600), 0);
    refused("is not a regular file");
    fs::create_directory(lockFile);
    refused("is a directory");
}

TEST(LinuxRunLock, ALockFileOfAnotherUserIsReplacedInOurFolderAndRefusedInTheirs) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to make files of another user";
    }
    constexpr uid_t kOtherUser = 65534;
    testing::TempDir dir;
    const fs::path ours = dir.Path() / "ours";
    const fs::path theirs = dir.Path() / "theirs";
    for (const fs::path& folder : {ours, theirs}) {
        fs::create_directory(folder);
        testing::WriteFileBytes(folder / kRunLockFileName, "");
        ASSERT_EQ(::chown((folder / kRunLockFileName).c_str(), kOtherUser, kOtherUser), 0);
    }
    ASSERT_EQ(::chown(theirs.c_str(), kOtherUser, kOtherUser), 0);

    LinuxRunLock inOurs;
    EXPECT_EQ(inOurs.TryLock(ours), RunLockPort::Outcome::kHeld);
    struct stat made {};
    ASSERT_EQ(::stat((ours / kRunLockFileName).c_str(), &made), 0);
    EXPECT_EQ(made.st_uid, 0u);

    LinuxRunLock inTheirs;
    EXPECT_EQ(inTheirs.TryLock(theirs), RunLockPort::Outcome::kUnavailable);
    EXPECT_EQ(inTheirs.Reason(),
              (theirs / kRunLockFileName).string() + " belongs to another user (uid 65534) in a folder that is not ours");
}

}  // namespace
}  // namespace quorell
