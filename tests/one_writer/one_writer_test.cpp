// Copies of the whole headless program on one folder, each a process of its own with the real lock and
// real files, while a hostile hand deletes the lock file, puts a link in its place or plants one of
// another user. Each copy counts the seconds it ran into the receive history; were two copies ever to
// write, the count on disk would step back, so a watcher reads it all along and after the end.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "app/application.h"
#include "app/measured_work.h"
#include "app/program_store.h"
#include "app/recording_lock.h"
#include "platform/linux/run_lock_linux.h"
#include "platform/system_files.h"
#include "runtime/date_time.h"
#include "runtime/ini_store.h"
#include "runtime/value_text.h"
#include "support/headless_run.h"
#include "support/system_ini_store.h"
#include "support/temp_dir.h"
#include "ui_model/ui_model.h"

namespace quorell {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr int kRefusedExit = 10;  // a copy that found another one recording
constexpr uid_t kOtherUser = 65534;

volatile sig_atomic_t stopRequested = 0;
volatile sig_atomic_t pauseRequested = 0;

// The child: one copy of the program on `folder`, ticking a fake second every half millisecond (its
// history saved every fifteen of them) until SIGTERM, then saving as the program does at its end.
// SIGUSR1 stops it between two events (never inside a save) until SIGCONT. What it tells the user goes
// to `log`.
[[noreturn]] void RunCopy(const fs::path& folder, const fs::path& log) {
    ::signal(SIGTERM, [](int) { stopRequested = 1; });
    ::signal(SIGUSR1, [](int) { pauseRequested = 1; });
    const auto tell = [&log](const std::string& text) { std::ofstream(log, std::ios::app) << text << "\n"; };
    LinuxRunLock lock;
    RecordingLock recording(lock, folder, tell);
    if (recording.Take() == RunLockPort::Outcome::kHeldByAnother) {
        tell("refused: another copy records");
        _exit(kRefusedExit);
    }
    HeadlessPorts ports(folder);
    ports.clock.now = MakeDateTime(2026, 12, 8, 9, 0, 0);
    std::chrono::steady_clock::time_point fakeSteady{};
    auto store = MakeProgramStore(MakeSystemFileAccess(), MakeSystemGbkCodec(), [&fakeSteady] { return fakeSteady; });
    recording.Guard(*store);
    Application app(ports.With(*store));
    if (!app.Start()) {
        _exit(3);
    }
    Window& receiveWindow = app.GetWindow(WindowKind::ReceiveMonitor);
    while (!stopRequested) {
        if (pauseRequested) {
            pauseRequested = 0;
            ::raise(SIGSTOP);
        }
        ports.clock.Step();
        fakeSteady += 1s;
        ports.cpu.Advance(100 * 50'000, 10'000'000);
        receiveWindow.Timer("时钟_Lan").Tick();
        ::usleep(500);
    }
    store->Flush();
    _exit(0);
}

std::string ReadLog(const fs::path& log) {
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A copy of the program running in a child process.
class Copy {
public:
    Copy(const fs::path& folder, std::string name) : log_(folder.parent_path() / (name + ".log")) {
        pid_ = ::fork();
        if (pid_ == 0) {
            RunCopy(folder, log_);
        }
    }
    ~Copy() {
        if (!ended_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    // Stops it between two events; true once it is stopped.
    bool Pause() {
        ::kill(pid_, SIGUSR1);
        int status = 0;
        return ::waitpid(pid_, &status, WUNTRACED) == pid_ && WIFSTOPPED(status);
    }
    void Resume() { ::kill(pid_, SIGCONT); }
    // Its exit code once it has ended by itself (within five seconds) or after SIGTERM; -1 otherwise.
    int End(bool terminate) {
        if (terminate) {
            ::kill(pid_, SIGTERM);
        }
        for (int i = 0; i < 500; ++i) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                ended_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(10ms);
        }
        return -1;
    }
    std::string Log() const { return ReadLog(log_); }

private:
    fs::path log_;
    pid_t pid_ = -1;
    bool ended_ = false;
};

// Reads the seconds counted in the receive history again and again; fails the test when the count
// ever goes back.
class SecondsWatch {
public:
    explicit SecondsWatch(const fs::path& folder) : file_(folder / testing::PathFromUtf8("接收.FDB")) {}

    std::int64_t Read() {
        testing::SystemIniStore disk;
        const std::int64_t seconds = ToInteger64(disk.Read(file_, "其他", "秒数", "0"));
        if (seconds < last_ && !wentBack_) {
            wentBack_ = true;  // said once: two writers would say it on every save
            ADD_FAILURE() << "the seconds on disk went back from " << last_ << " to " << seconds;
        }
        last_ = std::max(last_, seconds);
        return seconds;
    }
    // Watches for `span`, or until `done` holds; returns whether it held.
    bool WatchUntil(std::chrono::milliseconds span, const std::function<bool()>& done = [] { return false; }) {
        const auto end = std::chrono::steady_clock::now() + span;
        while (std::chrono::steady_clock::now() < end) {
            Read();
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(2ms);
        }
        return false;
    }
    // Watches until the count has grown past `seconds`.
    bool GrowsPast(std::int64_t seconds) {
        return WatchUntil(10s, [&] { return last_ > seconds; });
    }

private:
    fs::path file_;
    std::int64_t last_ = 0;
    bool wentBack_ = false;
};

struct Folder {
    testing::TempDir dir{testing::FastTempBase()};
    fs::path runs = dir.Path() / "runs";
    fs::path lock = runs / kRunLockFileName;
    Folder() { fs::create_directory(runs); }
};

TEST(OneWriter, LockFileDeletedWhileACopyRecords) {
    Folder folder;
    SecondsWatch watch(folder.runs);
    Copy first(folder.runs, "first");
    ASSERT_TRUE(watch.GrowsPast(0)) << first.Log();

    // The recording copy notices between two events and makes the lock again: a later start is refused.
    fs::remove(folder.lock);
    ASSERT_TRUE(watch.WatchUntil(5s, [&] { return fs::exists(folder.lock); })) << first.Log();
    Copy refused(folder.runs, "refused");
    EXPECT_EQ(refused.End(false), kRefusedExit) << refused.Log();

    // Deleted while the copy cannot look (it is stopped), a later start takes the folder; the first copy
    // then leaves it to that one and says so.
    ASSERT_TRUE(first.Pause());
    fs::remove(folder.lock);
    Copy second(folder.runs, "second");
    const std::int64_t before = watch.Read();
    ASSERT_TRUE(watch.GrowsPast(before + 100)) << second.Log();
    first.Resume();
    ASSERT_TRUE(watch.WatchUntil(5s, [&] { return first.Log().find("stops recording") != std::string::npos; }));
    watch.WatchUntil(500ms);

    EXPECT_EQ(first.End(true), 0);
    watch.Read();
    EXPECT_EQ(second.End(true), 0);
    watch.Read();
    EXPECT_EQ(second.Log(), "");
}

TEST(OneWriter, LockFileReplacedByADanglingLink) {
    Folder folder;
    SecondsWatch watch(folder.runs);
    Copy first(folder.runs, "first");
    ASSERT_TRUE(watch.GrowsPast(0));

    const fs::path nowhere = folder.dir.Path() / "nowhere";
    fs::create_symlink(nowhere, folder.runs / "link");
    fs::rename(folder.runs / "link", folder.lock);
    ASSERT_TRUE(watch.WatchUntil(5s, [&] { return first.Log().find("is a symbolic link") != std::string::npos; }));
    Copy second(folder.runs, "second");
    ASSERT_TRUE(watch.WatchUntil(5s, [&] { return second.Log().find("does not record") != std::string::npos; }));
    EXPECT_NE(second.Log().find("is a symbolic link"), std::string::npos) << second.Log();

    // Neither copy writes while nobody can hold the lock.
    const std::int64_t held = watch.Read();
    watch.WatchUntil(500ms);
    EXPECT_EQ(watch.Read(), held);
    EXPECT_FALSE(fs::exists(nowhere));

    // Once the link is gone the first copy takes the lock again and saves everything it held back.
    fs::remove(folder.lock);
    EXPECT_TRUE(watch.GrowsPast(held + 100)) << first.Log();
    EXPECT_NE(first.Log().find("saving goes on"), std::string::npos) << first.Log();
    EXPECT_EQ(second.End(true), 0);
    EXPECT_EQ(first.End(true), 0);
    watch.Read();
}

// In a child process: from now on another user, or the end of the child.
void BecomeOtherUser() {
    if (::setresgid(kOtherUser, kOtherUser, kOtherUser) != 0 || ::setresuid(kOtherUser, kOtherUser, kOtherUser) != 0) {
        _exit(99);
    }
}

// Runs `action` as another user in a child process; its exit code.
int AsOtherUser(const std::function<int()>& action) {
    const pid_t child = ::fork();
    if (child == 0) {
        BecomeOtherUser();
        _exit(action());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(OneWriter, AnotherUserCannotHoldTheLock) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to act as a second user";
    }
    Folder folder;
    // The owner's folder, with a lock file that an earlier version left readable to all: another user
    // opens it and holds its lock.
    const auto readable = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                          fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(folder.dir.Path(), readable);
    fs::permissions(folder.runs, readable);
    testing::WriteFileBytes(folder.lock, "");
    fs::permissions(folder.lock, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                     fs::perms::others_read);
    int planted[2];
    ASSERT_EQ(::pipe(planted), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        ::close(planted[0]);
        BecomeOtherUser();
        const int fd = ::open(folder.lock.c_str(), O_RDONLY);
        if (fd < 0 || ::flock(fd, LOCK_EX) != 0) {
            _exit(1);
        }
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(planted[1], &byte, 1);
        ::pause();
        _exit(0);
    }
    const struct Reaped {
        pid_t pid;
        ~Reaped() {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    } reaped{holder};
    ::close(planted[1]);
    char byte = 0;
    ASSERT_EQ(::read(planted[0], &byte, 1), 1);
    ::close(planted[0]);

    // The owner's copy records all the same, in a lock file that is the owner's alone.
    SecondsWatch watch(folder.runs);
    Copy owner(folder.runs, "owner");
    ASSERT_TRUE(watch.GrowsPast(0)) << owner.Log();
    struct stat lock {};
    ASSERT_EQ(::stat(folder.lock.c_str(), &lock), 0);
    EXPECT_EQ(lock.st_uid, 0u);
    EXPECT_EQ(lock.st_mode & 0777, 0600);
    const std::string lockPath = folder.lock.string();
    EXPECT_EQ(AsOtherUser([&] { return ::open(lockPath.c_str(), O_RDONLY) < 0 && errno == EACCES ? 0 : 1; }), 0);

    // In a folder that others may write into, a lock file of theirs planted while the copy records: the
    // copy takes its folder back and goes on alone.
    fs::permissions(folder.runs, fs::perms::all);
    EXPECT_EQ(AsOtherUser([&] {
                  ::unlink(lockPath.c_str());
                  const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_EXCL, 0644);
                  return fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::usleep(300'000) == 0 ? 0 : 1;
              }),
              0);
    const std::int64_t seconds = watch.Read();
    EXPECT_TRUE(watch.GrowsPast(seconds + 100)) << owner.Log();
    EXPECT_EQ(owner.Log(), "");
    EXPECT_EQ(owner.End(true), 0);
}

}  // namespace
}  // namespace quorell
