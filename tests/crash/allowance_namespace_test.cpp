// The whole headless application watching a real veth interface inside a throw-away network namespace,
// with a monthly allowance of 2 MB: frames pushed through the watched interface each second, the 80 % and
// 100 % notices told once each, and the period's keys on disk right after a SIGKILL, through a restart
// in the same period and one in the next. Needs root and `ip`.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/program_store.h"
#include "platform/linux/interface_table_linux.h"
#include "platform/linux/platform_version_linux.h"
#include "platform/system_files.h"
#include "support/headless_run.h"
#include "support/history_test_files.h"
#include "support/system_ini_store.h"
#include "support/temp_dir.h"
#include "support/veth_namespace.h"
#include "ui_model/ui_model.h"

namespace quorell {
namespace {

using testing::VethNamespace;

// One run: from `start`, `busySeconds` seconds in which the watched interface qc sends 60 frames and
// receives 40 (100 K), then `idleSeconds` quiet ones, so the write-behind has saved the busy ones.
struct RunPlan {
    DateTime start;
    int busySeconds = 0;
    int idleSeconds = 25;
};

// The child: the program inside the namespace; reports each notice's text on `report`, one a line, then
// "END", and waits to be killed.
[[noreturn]] void RunInNamespace(const VethNamespace& ns, const std::filesystem::path& folder, RunPlan plan,
                                 int report) {
    if (!ns.Enter()) {
        _exit(4);
    }
    LinuxInterfaceTable interfaces;
    LinuxPlatformVersion version;
    if (!testing::WaitForCarrier(interfaces)) {
        _exit(5);
    }
    HeadlessPorts ports(folder);
    ports.clock.now = plan.start;
    std::chrono::steady_clock::time_point fakeSteady{};
    auto store = MakeProgramStore(MakeSystemFileAccess(), MakeSystemGbkCodec(), [&fakeSteady] { return fakeSteady; });
    Application app(ApplicationPorts{ports.runDirectory, ports.desktop, ports.clock, ports.cpu, ports.memory,
                                     interfaces, version, *store});
    if (!app.Start()) {
        _exit(3);
    }
    for (int second = 0; second < plan.busySeconds + plan.idleSeconds; ++second) {
        if (second < plan.busySeconds &&
            !(testing::SendFrames("qc", "qd", 60) && testing::SendFrames("qd", "qc", 40))) {
            _exit(6);
        }
        ports.clock.Step();
        fakeSteady += std::chrono::seconds(1);
        app.GetWindow(WindowKind::ReceiveMonitor).Timer("时钟_Lan").Tick();
        app.GetWindow(WindowKind::SendMonitor).Timer("时钟_Lan").Tick();
    }
    std::string lines;
    for (const FakeDesktop::Notice& notice : ports.desktop.notices) {
        lines += notice.title + ": " + notice.text + "\n";
    }
    lines += "END\n";
    [[maybe_unused]] const auto written = ::write(report, lines.data(), lines.size());
    for (;;) {
        ::pause();
    }
}

// Runs the plan in a child, kills it with SIGKILL once it has reported, and returns its notices.
std::vector<std::string> RunAndKill(const VethNamespace& ns, const std::filesystem::path& folder, RunPlan plan) {
    int pipeEnds[2];
    EXPECT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        RunInNamespace(ns, folder, plan, pipeEnds[1]);
    }
    ::close(pipeEnds[1]);
    std::string report;
    char buffer[4096];
    while (report.find("END\n") == std::string::npos) {
        const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        report.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the run ended by itself: " << status;
    std::vector<std::string> notices;
    for (std::size_t start = 0, end; (end = report.find('\n', start)) != std::string::npos; start = end + 1) {
        if (report.compare(start, end - start, "END") != 0) {
            notices.push_back(report.substr(start, end - start));
        }
    }
    EXPECT_NE(report.find("END\n"), std::string::npos) << "the run did not report";
    return notices;
}

TEST(AllowanceInANamespace, BothNoticesComeOnceAndThePeriodKeysSurviveKillsAndRestarts) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to create a network namespace with veth pairs";
    }
    VethNamespace ns;
    if (!ns.Ready()) {
        // A container's root without the right to make namespaces: the traffic test beside this one skips too.
        GTEST_SKIP() << "could not create a network namespace with veth pairs (`ip netns add` refused?)";
    }
    testing::TempDir folder;
    testing::WriteFileBytes(folder.File("程序配置.Ini"),
                            testing::SystemGbk().Utf8ToGbk("[提醒设置]\r\n每月流量上限=2\r\n结算日=1\r\n").value());
    const auto other = [&folder](const char* file, const char* key) {
        return testing::Stored(folder.File(file), "其他", key);
    };

    // 2000 K against 2 MB (1638.4 K): 80 % in the 14th second, 100 % in the 17th.
    const std::vector<std::string> first = RunAndKill(ns, folder.Path(), {MakeDateTime(2026, 12, 10, 12), 20});
    ASSERT_EQ(first.size(), 2u) << ::testing::PrintToString(first);
    EXPECT_EQ(first[0], "流量提醒: 本期(自 2026年12月1日起)已用 1 MB,达到每月流量上限 2 MB 的 80%。");
    EXPECT_EQ(first[1], "流量提醒: 本期(自 2026年12月1日起)已用 2 MB,达到每月流量上限 2 MB 的 100%。");
    EXPECT_EQ(other("接收.FDB", "本期"), "800");
    EXPECT_EQ(other("发送.FDB", "本期"), "1200");
    EXPECT_EQ(other("接收.FDB", "本期开始"), "2026年12月1日");
    EXPECT_EQ(other("发送.FDB", "本期开始"), "2026年12月1日");
    EXPECT_EQ(other("接收.FDB", "本期提醒"), "100");

    // Started again later in the period: the count goes on, nothing is told again.
    EXPECT_TRUE(RunAndKill(ns, folder.Path(), {MakeDateTime(2026, 12, 20, 9), 10}).empty());
    EXPECT_EQ(other("接收.FDB", "本期"), "1200");
    EXPECT_EQ(other("发送.FDB", "本期"), "1800");
    EXPECT_EQ(other("接收.FDB", "本期提醒"), "100");

    // Started in the next period: it begins at 0, and nothing is due yet.
    EXPECT_TRUE(RunAndKill(ns, folder.Path(), {MakeDateTime(2027, 1, 3, 9), 5}).empty());
    EXPECT_EQ(other("接收.FDB", "本期"), "200");
    EXPECT_EQ(other("发送.FDB", "本期"), "300");
    EXPECT_EQ(other("发送.FDB", "本期开始"), "2027年1月1日");
    EXPECT_EQ(other("接收.FDB", "本期提醒"), "0");
}

}  // namespace
}  // namespace quorell
