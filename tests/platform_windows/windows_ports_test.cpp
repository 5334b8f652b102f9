#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/windows/environment_windows.h"
#include "platform/windows/run_directory_windows.h"
#include "platform/windows/run_lock_windows.h"
#include "platform/windows/termination_windows.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using testing::PathFromUtf8;
using testing::TempDir;

TEST(WindowsRunDirectory, ExecutableFolderWhenWritableElseQuorellInLocalAppData) {
    TempDir dir;
    EXPECT_EQ(WindowsRunDirectory(dir.Path(), dir.Path() / L"unused").RunDirectory(), dir.Path());
    EXPECT_TRUE(std::filesystem::is_directory(ExecutableDirectory()));

    const std::filesystem::path local = dir.Path() / PathFromUtf8("本地数据");
    const std::filesystem::path chosen = WindowsRunDirectory(dir.Path() / L"no-such-folder", local).RunDirectory();
    EXPECT_EQ(chosen, local / L"Quorell");
    EXPECT_TRUE(std::filesystem::is_directory(chosen));
    EXPECT_EQ(dir.Listing(), "本地数据");  // the probe file of the writable check is gone
}

TEST(WindowsRunLock, OneHolderPerFolderWhoseLockFileNobodyCanDeleteOrReplace) {
    testing::TempDir dir;
    const std::filesystem::path folder = dir.Path() / testing::PathFromUtf8("运行目录");
    std::filesystem::create_directory(folder);
    const std::filesystem::path lockFile = folder / kRunLockFileName;
    const std::filesystem::path other = folder / L"other";
    testing::WriteFileBytes(other, "");
    {
        WindowsRunLock first;
        ASSERT_EQ(first.TryLock(folder), RunLockPort::Outcome::kHeld);
        WindowsRunLock second;
        EXPECT_EQ(second.TryLock(folder), RunLockPort::Outcome::kHeldByAnother);
        EXPECT_FALSE(::DeleteFileW(lockFile.c_str()));
        EXPECT_FALSE(::MoveFileExW(other.c_str(), lockFile.c_str(), MOVEFILE_REPLACE_EXISTING));
        EXPECT_TRUE(first.StillHeld());
    }
    WindowsRunLock next;
    EXPECT_EQ(next.TryLock(folder), RunLockPort::Outcome::kHeld);
    EXPECT_TRUE(next.StillHeld());
    next.TryLock(dir.Path() / L"no-such-folder");
    EXPECT_FALSE(next.StillHeld());
    EXPECT_TRUE(::DeleteFileW(lockFile.c_str()));

    // A directory in its place is named, not used.
    std::filesystem::create_directory(lockFile);
    WindowsRunLock refused;
    EXPECT_EQ(refused.TryLock(folder), RunLockPort::Outcome::kUnavailable);
    EXPECT_NE(refused.Reason().find("quorell.lock is a directory"), std::string::npos) << refused.Reason();
}

TEST(WindowsEnvironment, NamesAndValuesKeepEveryCharacter) {
    ASSERT_TRUE(::SetEnvironmentVariableW(L"QUORELL_\u6d4b\u8bd5", L"\u503c 1"));
    EXPECT_EQ(WideEnvironmentValue(L"QUORELL_\u6d4b\u8bd5"), L"\u503c 1");
    EXPECT_EQ(WideEnvironmentValue(L"QUORELL_NOT_SET"), L"");
    ::SetEnvironmentVariableW(L"QUORELL_\u6d4b\u8bd5", nullptr);
}

// A console handler of the test's own. Added before the watcher's, it is asked after it, so its call
// shows that a Ctrl+C has been through every handler; it handles the event, so the process goes on.
std::atomic<int> probeCalls{0};

BOOL WINAPI ProbeConsoleEvent(DWORD) {
    ++probeCalls;
    return TRUE;
}

// Waits, with a deadline, until `done` holds.
template <typename Condition>
bool WaitUntil(Condition done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Ctrl+C is the one console event a program can send itself; it needs a console of its own.
TEST(WindowsTermination, ConsoleEventIsReportedFromAnotherThreadUntilTheWatcherGoes) {
    ::FreeConsole();
    ASSERT_TRUE(::AllocConsole());
    ASSERT_TRUE(::SetConsoleCtrlHandler(ProbeConsoleEvent, TRUE));
    std::atomic<int> requests{0};
    std::atomic<bool> onOtherThread{false};
    const std::thread::id testThread = std::this_thread::get_id();
    {
        WindowsTermination termination;
        ASSERT_TRUE(termination.Watch([&] {
            onOtherThread = std::this_thread::get_id() != testThread;
            ++requests;
        }));
        EXPECT_FALSE(termination.Watch([] {}));
        ASSERT_TRUE(::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
        EXPECT_TRUE(WaitUntil([&] { return requests > 0; }));
        EXPECT_EQ(requests, 1);
        EXPECT_TRUE(onOtherThread);
    }
    // Without the watcher the event reaches the probe, and only the probe.
    const int probedBefore = probeCalls;
    ASSERT_TRUE(::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
    EXPECT_TRUE(WaitUntil([&] { return probeCalls > probedBefore; }));
    EXPECT_EQ(requests, 1);
    ::SetConsoleCtrlHandler(ProbeConsoleEvent, FALSE);
    ::FreeConsole();
}

}  // namespace
}  // namespace quorell
