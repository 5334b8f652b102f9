#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/linux/private_folder.h"
#include "platform/linux/show_requests_linux.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing::TempDir;

constexpr uid_t kSpareUid = 65534;

// The user's runtime folder and the shared temporary base of one test, both inside a fresh directory.
class ShowRequestsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(runtime);
        ::chmod(runtime.c_str(), 0700);
    }
    LinuxShowRequests Channel() const { return LinuxShowRequests(runtime, dir.Path()); }
    std::filesystem::path OwnFolder() const { return dir.Path() / ("quorell-" + std::to_string(::geteuid())); }

    TempDir dir;
    const std::filesystem::path runtime = dir.Path() / "runtime";
};

int ConnectTo(const std::filesystem::path& socket) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Runs `child` in a forked process as the spare user; returns its exit status.
template <typename Child>
int RunAsSpareUser(Child child) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setresgid(kSpareUid, kSpareUid, kSpareUid) != 0 || ::setresuid(kSpareUid, kSpareUid, kSpareUid) != 0) {
            ::_exit(99);
        }
        ::_exit(child());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(ShowRequestsTest, ALaterStartIsConfirmedByTheCopyOfItsOwnFolderOnly) {
    LinuxShowRequests recording = Channel();
    std::atomic<int> requests{0};
    std::vector<std::thread> uiThread;
    std::mutex mutex;
    ASSERT_TRUE(recording.Listen("/runs/a", [&](ShowRequestPort::Confirm confirm) {
        ++requests;
        // Confirmed later, from another thread, as the user-interface thread does once the window shows.
        std::lock_guard lock(mutex);
        uiThread.emplace_back([confirm = std::move(confirm)] {
            std::this_thread::sleep_for(50ms);
            confirm();
        });
    }));
    EXPECT_TRUE(Channel().AskRunningCopy("/runs/a/", 2000ms));
    EXPECT_EQ(requests, 1);
    EXPECT_FALSE(Channel().AskRunningCopy("/runs/b", 200ms));
    EXPECT_FALSE(Channel().AskRunningCopy("/runs", 200ms));
    EXPECT_EQ(requests, 1);
    std::lock_guard lock(mutex);
    for (std::thread& thread : uiThread) {
        thread.join();
    }
}

TEST_F(ShowRequestsTest, ACopyThatDoesNotConfirmIsNoAnswerWhenTheWaitIsUp) {
    LinuxShowRequests recording = Channel();
    std::mutex mutex;
    std::vector<ShowRequestPort::Confirm> held;  // neither confirmed nor dropped: the connection stays open
    ASSERT_TRUE(recording.Listen("/runs/a", [&](ShowRequestPort::Confirm confirm) {
        std::lock_guard lock(mutex);
        held.push_back(std::move(confirm));
    }));
    auto started = Clock::now();
    EXPECT_FALSE(Channel().AskRunningCopy("/runs/a", 400ms));
    EXPECT_GE(Clock::now() - started, 350ms);
    EXPECT_LT(Clock::now() - started, 2s);

    // A request dropped unanswered (the copy is still starting) is asked again until the time is up.
    LinuxShowRequests starting = Channel();
    std::atomic<int> asked{0};
    ASSERT_TRUE(starting.Listen("/runs/starting", [&](ShowRequestPort::Confirm) { ++asked; }));
    started = Clock::now();
    EXPECT_FALSE(Channel().AskRunningCopy("/runs/starting", 600ms));
    EXPECT_GE(Clock::now() - started, 550ms);
    EXPECT_GE(asked, 2);
}

TEST_F(ShowRequestsTest, ASocketFolderThatIsNotPrivateIsNeverUsed) {
    const std::filesystem::path socket = *Channel().SocketPath("/runs/a");
    EXPECT_EQ(socket.parent_path(), runtime);

    // A runtime folder others may enter: a folder of our own in the temporary base instead, made private.
    ::chmod(runtime.c_str(), 0755);
    EXPECT_EQ(Channel().SocketPath("/runs/a")->parent_path(), OwnFolder());
    EXPECT_TRUE(IsPrivateFolder(OwnFolder()));

    // Ours but open to others: closed again. A link in its place (to a folder others could have made): replaced.
    ::chmod(OwnFolder().c_str(), 0777);
    EXPECT_EQ(Channel().SocketPath("/runs/a")->parent_path(), OwnFolder());
    EXPECT_TRUE(IsPrivateFolder(OwnFolder()));
    const std::filesystem::path elsewhere = dir.Path() / "elsewhere";
    std::filesystem::create_directory(elsewhere);
    ::chmod(elsewhere.c_str(), 0700);
    std::filesystem::remove(OwnFolder());
    std::filesystem::create_directory_symlink(elsewhere, OwnFolder());
    LinuxShowRequests recording = Channel();
    std::atomic<int> requests{0};
    ASSERT_TRUE(recording.Listen("/runs/a", [&](ShowRequestPort::Confirm confirm) {
        ++requests;
        confirm();
    }));
    EXPECT_TRUE(IsPrivateFolder(OwnFolder()));
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere));
    EXPECT_TRUE(Channel().AskRunningCopy("/runs/a", 2000ms));

    // Without an absolute place for the folder there is no channel.
    LinuxShowRequests nowhere("", "relative");
    EXPECT_FALSE(nowhere.SocketPath("/runs/a"));
    EXPECT_FALSE(nowhere.Listen("/runs/a", [](ShowRequestPort::Confirm) {}));
    EXPECT_FALSE(nowhere.AskRunningCopy("/runs/a", 100ms));

    if (::geteuid() == 0) {
        // Another user's folder in the shared base is refused.
        ASSERT_EQ(::lchown(OwnFolder().c_str(), kSpareUid, kSpareUid), 0);
        EXPECT_FALSE(Channel().SocketPath("/runs/a"));
        EXPECT_FALSE(Channel().AskRunningCopy("/runs/a", 100ms));
    }
}

TEST_F(ShowRequestsTest, AnotherUserIsNeitherHeardNorBelieved) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to act as another user";
    }
    // The test opens the way for the other user; the users' check is what is left.
    ::chmod(dir.Path().c_str(), 0755);
    LinuxShowRequests recording = Channel();
    std::atomic<int> requests{0};
    ASSERT_TRUE(recording.Listen("/runs/a", [&](ShowRequestPort::Confirm confirm) {
        ++requests;
        confirm();
    }));
    const std::filesystem::path socket = *recording.SocketPath("/runs/a");
    ::chmod(runtime.c_str(), 0711);
    ::chmod(socket.c_str(), 0666);
    // 0: it was told "shown"; 1: no answer; 2: it could not connect.
    const int status = RunAsSpareUser([&socket] {
        const int fd = ConnectTo(socket);
        if (fd < 0) {
            return 2;
        }
        [[maybe_unused]] const auto sent = ::send(fd, "show\n", 5, MSG_NOSIGNAL);
        pollfd wait{fd, POLLIN, 0};
        char answer[8] = {};
        return ::poll(&wait, 1, 1000) == 1 && ::recv(fd, answer, sizeof answer, 0) > 0 ? 0 : 1;
    });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(requests, 0);

    // A listener of another user at the place of our own copy's socket is not believed.
    ::chmod(runtime.c_str(), 0700);
    const std::filesystem::path foreign = *Channel().SocketPath("/runs/b");
    ::chmod(runtime.c_str(), 0777);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t impostor = ::fork();
    if (impostor == 0) {
        if (::setresgid(kSpareUid, kSpareUid, kSpareUid) != 0 || ::setresuid(kSpareUid, kSpareUid, kSpareUid) != 0) {
            ::_exit(99);
        }
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, foreign.c_str(), sizeof address.sun_path - 1);
        if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener, 4) != 0) {
            ::_exit(98);
        }
        [[maybe_unused]] const auto told = ::write(ready[1], "r", 1);
        for (;;) {
            const int connection = ::accept(listener, nullptr, nullptr);
            [[maybe_unused]] const auto sent = ::send(connection, "shown\n", 6, MSG_NOSIGNAL);
            ::close(connection);
        }
    }
    ::close(ready[1]);
    char byte = 0;
    const bool listening = ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    ::chmod(runtime.c_str(), 0700);
    EXPECT_FALSE(Channel().AskRunningCopy("/runs/b", 500ms));
    ::kill(impostor, SIGKILL);
    int ended = 0;
    ::waitpid(impostor, &ended, 0);
    EXPECT_TRUE(listening) << "the other user's listener ended with " << ended;
}

}  // namespace
}  // namespace quorell
