#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "platform/windows/unique_handle.h"
#include "platform/windows/win32_file_access.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using testing::PathFromUtf8;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

class Win32FileAccessTest : public ::testing::Test {
protected:
    TempDir dir;
    const std::filesystem::path file = dir.File("a.ini");
};

// Opens the file the way a virus scanner may: for reading, sharing nothing with anyone.
UniqueHandle HoldExclusively(const std::filesystem::path& file) {
    return UniqueHandle(
        ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST_F(Win32FileAccessTest, FilesInFoldersWithChineseNamesAreReplacedWholeWithNoLeftovers) {
    const std::filesystem::path folder = dir.Path() / PathFromUtf8("数据目录") / PathFromUtf8("子目录");
    std::filesystem::create_directories(folder);
    const std::filesystem::path history = folder / PathFromUtf8("内存.FDB");
    Win32FileAccess files;
    EXPECT_EQ(files.Read(history).status, FileReadStatus::kMissing);
    EXPECT_EQ(files.Read(folder / L"missing" / L"x.ini").status, FileReadStatus::kMissing);

    ASSERT_TRUE(files.Replace(history, "one"));
    const auto first = files.Identify(history);
    ASSERT_TRUE(files.Replace(history, "[s]\r\nk=two\r\n"));
    const FileSnapshot snapshot = files.Read(history);
    EXPECT_EQ(snapshot.status, FileReadStatus::kRead);
    EXPECT_EQ(snapshot.bytes, "[s]\r\nk=two\r\n");
    EXPECT_EQ(files.Identify(history), snapshot.identity);
    EXPECT_NE(snapshot.identity.inode, first->inode);  // a new file took the old one's place

    // The names on disk are the wide names, not their bytes in some code page.
    EXPECT_NE(::GetFileAttributesW(
                  (dir.Path() / L"\u6570\u636e\u76ee\u5f55" / L"\u5b50\u76ee\u5f55" / L"\u5185\u5b58.FDB").c_str()),
              INVALID_FILE_ATTRIBUTES);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(testing::Utf8FromPath(entry.path().filename()));
    }
    EXPECT_EQ(names, std::vector<std::string>{"内存.FDB"});

    // A folder is neither read nor replaced.
    EXPECT_EQ(files.Read(folder).status, FileReadStatus::kFailed);
    EXPECT_FALSE(files.Identify(folder).has_value());
    EXPECT_FALSE(files.Replace(folder, "x"));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST_F(Win32FileAccessTest, ReadOnlyFileIsNotReplaced) {
    WriteFileBytes(file, "kept");
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(Win32FileAccess().Replace(file, "changed"));
    EXPECT_EQ(ReadFileBytes(file), "kept");
    EXPECT_EQ(Win32FileAccess().Read(file).bytes, "kept");
    EXPECT_EQ(dir.Listing(), "a.ini");
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Win32FileAccessTest, FileHeldOpenForAMomentIsReadAndReplacedOnceItIsFree) {
    WriteFileBytes(file, "old");
    UniqueHandle holder = HoldExclusively(file);
    ASSERT_TRUE(holder.Valid());
    // The holder lets go while the access waits after its first conflict, as a scanner does after a moment.
    Win32WriteCalls calls = Win32WriteCalls::System();
    int waits = 0;
    calls.sleep = [&](std::uint32_t) {
        ++waits;
        holder.Close();
    };
    Win32FileAccess files(calls);
    const FileSnapshot snapshot = files.Read(file);
    EXPECT_EQ(snapshot.status, FileReadStatus::kRead);
    EXPECT_EQ(snapshot.bytes, "old");
    EXPECT_EQ(waits, 1);

    holder = HoldExclusively(file);
    ASSERT_TRUE(holder.Valid());
    EXPECT_TRUE(files.Replace(file, "new"));
    EXPECT_EQ(waits, 2);
    EXPECT_EQ(ReadFileBytes(file), "new");
    EXPECT_EQ(dir.Listing(), "a.ini");
}

TEST_F(Win32FileAccessTest, FileHeldOpenForLongIsLeftAloneWithinASecond) {
    WriteFileBytes(file, "old");
    UniqueHandle holder = HoldExclusively(file);
    ASSERT_TRUE(holder.Valid());
    Win32FileAccess files;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(files.Read(file).status, FileReadStatus::kFailed);
    EXPECT_FALSE(files.Replace(file, "new"));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    holder.Close();
    EXPECT_EQ(ReadFileBytes(file), "old");
    EXPECT_EQ(dir.Listing(), "a.ini");
}

// Each way a replacement can fail must leave the old file as it was and no temporary file behind.
struct FailurePoint {
    const char* name;
    Win32WriteCalls calls;
};

std::vector<FailurePoint> FailurePoints() {
    std::vector<FailurePoint> points;
    Win32WriteCalls full = Win32WriteCalls::System();
    full.write = [real = full.write](void* handle, const void* data, std::uint32_t size, std::uint32_t& written) {
        if (size > 4) {
            return real(handle, data, size / 2, written);  // part of it fits
        }
        written = 0;
        return static_cast<std::uint32_t>(ERROR_DISK_FULL);
    };
    points.push_back({"disk full", full});
    Win32WriteCalls flush = Win32WriteCalls::System();
    flush.flush = [](void*) { return static_cast<std::uint32_t>(ERROR_IO_DEVICE); };
    points.push_back({"flush fails", flush});
    Win32WriteCalls move = Win32WriteCalls::System();
    move.move = [](const wchar_t*, const wchar_t*) { return static_cast<std::uint32_t>(ERROR_NOT_SAME_DEVICE); };
    points.push_back({"move fails", move});
    Win32WriteCalls shared = Win32WriteCalls::System();
    shared.move = [](const wchar_t*, const wchar_t*) { return static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION); };
    shared.sleep = [](std::uint32_t) {};
    points.push_back({"always held open", shared});
    return points;
}

TEST_F(Win32FileAccessTest, FailedReplaceLeavesTheOldFileAndNothingElse) {
    const std::string old = "[s]\r\nk=old\r\n";
    WriteFileBytes(file, old);
    const std::string longer = "[s]\r\nk=" + std::string(100000, 'n') + "\r\n";
    for (FailurePoint& point : FailurePoints()) {
        Win32FileAccess files(point.calls);
        EXPECT_FALSE(files.Replace(file, longer)) << point.name;
        EXPECT_EQ(ReadFileBytes(file), old) << point.name;
        EXPECT_EQ(dir.Listing(), "a.ini") << point.name;
        EXPECT_FALSE(files.Replace(dir.File("new.ini"), longer)) << point.name;
        EXPECT_EQ(dir.Listing(), "a.ini") << point.name;
    }
}

TEST_F(Win32FileAccessTest, SharingConflictsAreWaitedOutBrieflyThenTheMoveIsTriedAgain) {
    WriteFileBytes(file, "old");
    Win32WriteCalls calls = Win32WriteCalls::System();
    int conflicts = 2;
    std::vector<std::uint32_t> waits;
    calls.move = [&conflicts, real = calls.move](const wchar_t* from, const wchar_t* to) {
        return conflicts-- > 0 ? static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION) : real(from, to);
    };
    calls.sleep = [&waits](std::uint32_t milliseconds) { waits.push_back(milliseconds); };
    ASSERT_TRUE(Win32FileAccess(calls).Replace(file, "new"));
    EXPECT_EQ(ReadFileBytes(file), "new");
    EXPECT_EQ(waits.size(), 2u);
    EXPECT_EQ(dir.Listing(), "a.ini");
}

}  // namespace
}  // namespace quorell
