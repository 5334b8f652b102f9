// The whole headless application on real files, killed with SIGKILL at random moments while it ticks
// as fast as it can on a fake clock (so a save every fifteen fake seconds comes every few milliseconds
// and many kills land in or near one). After every kill the files must be whole and consistent.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <random>
#include <string>

#include "app/application.h"
#include "app/measured_work.h"
#include "app/program_store.h"
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

constexpr int kCpuUsage = 40;           // every tick, so every CPU slot holds 40 times its count
constexpr std::uint64_t kReceiveK = 5;  // every tick, so the receive total is 5 K times the seconds

// The child: one run of the program on `folder`, starting at hour `run` of a December, ticking until
// killed. Tells the parent through `ready` once its first second has passed.
[[noreturn]] void RunUntilKilled(const std::filesystem::path& folder, int run, int ready) {
    HeadlessPorts ports(folder);
    ports.clock.now = MakeDateTime(2026, 12, 1 + run / 24, run % 24, 0, 0);
    std::chrono::steady_clock::time_point fakeSteady{};
    auto store = MakeProgramStore(MakeSystemFileAccess(), MakeSystemGbkCodec(), [&fakeSteady] { return fakeSteady; });
    Application app(ports.With(*store));
    if (!app.Start()) {
        _exit(3);
    }
    Window& cpuWindow = app.GetWindow(WindowKind::CpuMonitor);
    Window& memoryWindow = app.GetWindow(WindowKind::MemoryMonitor);
    Window& receiveWindow = app.GetWindow(WindowKind::ReceiveMonitor);
    Window& sendWindow = app.GetWindow(WindowKind::SendMonitor);
    const std::size_t watched = static_cast<std::size_t>(app.Work().Network().MonitoredRow() - 1);
    for (std::uint64_t second = 0;; ++second) {
        ports.clock.Step();
        fakeSteady += std::chrono::seconds(1);
        ports.cpu.Advance(static_cast<std::int64_t>(199 - 2 * kCpuUsage) * 50'000, 10'000'000);
        ports.interfaces.rows.at(watched).receivedBytes += kReceiveK * 1280;
        cpuWindow.Timer("时钟_Cpu").Tick();
        memoryWindow.Timer("时钟_内存").Tick();
        receiveWindow.Timer("时钟_Lan").Tick();
        sendWindow.Timer("时钟_Lan").Tick();
        if (second == 0) {
            const char byte = 1;
            [[maybe_unused]] const auto written = ::write(ready, &byte, 1);
        }
    }
}

// A file as a person's editor sees it: GBK text whose lines are sections, keys or blank.
void ExpectWholeIniFile(const std::filesystem::path& file) {
    const std::string bytes = testing::ReadFileBytes(file);
    const std::optional<std::string> text = testing::SystemGbk().GbkToUtf8(bytes);
    ASSERT_TRUE(text) << file << " is not GBK";
    std::size_t start = 0;
    while (start < text->size()) {
        const std::size_t end = text->find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << file << " ends inside a line";
        const std::string line = text->substr(start, end - start);
        EXPECT_TRUE(line.empty() || (line.front() == '[' && line.back() == ']') || line.find('=') != std::string::npos)
            << file << ": " << line;
        start = end + 2;
    }
}

std::int64_t Number(IniStore& store, const std::filesystem::path& file, std::string_view section,
                    std::string_view key) {
    return ToInteger64(store.Read(file, section, key, "0"));
}

TEST(KillAtRandom, EveryFileStaysWholeAndConsistentAndNothingGoesBackwards) {
    testing::TempDir folder;
    std::mt19937 random(20261208);
    std::int64_t lastCpuCount = 0;
    std::int64_t lastSeconds = 0;
    int killsAfterASave = 0;
    for (int run = 0; run < 24; ++run) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            RunUntilKilled(folder.Path(), run, ready[1]);
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "run " << run << " did not start";
        ::close(ready[0]);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 300'000)(random));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "run " << run << " ended by itself";

        testing::SystemIniStore disk;
        const std::filesystem::path settings = folder.File("程序配置.Ini");
        ExpectWholeIniFile(settings);
        for (const char* key :
             {"Cpu左边", "Cpu顶边", "内存左边", "内存顶边", "接收左边", "接收顶边", "发送左边", "发送顶边"}) {
            EXPECT_NE(disk.Read(settings, "界面设置", key, "<absent>"), "<absent>") << key << " after run " << run;
        }
        EXPECT_NE(disk.Read(settings, "基础设置", "是否透明", "<absent>"), "<absent>") << "after run " << run;

        const std::filesystem::path cpuFile = folder.File("Cpu.FDB");
        const std::filesystem::path receiveFile = folder.File("接收.FDB");
        if (!std::filesystem::exists(cpuFile)) {
            continue;  // killed before the first save
        }
        ++killsAfterASave;
        for (const char* name : {"Cpu.FDB", "内存.FDB", "接收.FDB", "发送.FDB"}) {
            ExpectWholeIniFile(folder.File(name));
        }
        std::int64_t cpuCount = 0;
        for (int hour = 0; hour < 24; ++hour) {
            for (const char* section : {"最近", "全部"}) {
                const std::int64_t sum = Number(disk, cpuFile, section, std::to_string(hour));
                const std::int64_t count = Number(disk, cpuFile, section, std::to_string(hour) + "_A");
                EXPECT_EQ(sum, kCpuUsage * count) << section << " " << hour << " after run " << run;
                if (std::string_view(section) == "全部") {
                    cpuCount += count;
                }
            }
        }
        std::int64_t received = 0;
        for (int hour = 0; hour < 24; ++hour) {
            received += Number(disk, receiveFile, "全部", std::to_string(hour));
        }
        const std::int64_t seconds = Number(disk, receiveFile, "其他", "秒数");
        EXPECT_EQ(received, static_cast<std::int64_t>(kReceiveK) * seconds) << "after run " << run;
        EXPECT_GE(cpuCount, lastCpuCount) << "after run " << run;
        EXPECT_GE(seconds, lastSeconds) << "after run " << run;
        lastCpuCount = cpuCount;
        lastSeconds = seconds;
    }
    EXPECT_GE(killsAfterASave, 16);
}

}  // namespace
}  // namespace quorell
