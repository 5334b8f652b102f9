#include <gtest/gtest.h>

#include "app/alert_settings.h"
#include "app/measured_work.h"
#include "app_rig.h"

namespace quorell {
namespace {

using testing::AppRig;

// The staying-high alerts of a whole run: the rules stored in the settings file, the values measured by
// the monitors on their own timers, the notices on the fake desktop.
class StayingHigh : public ::testing::Test {
protected:
    void StartWith(std::string_view alertSection) {
        rig.memory.Set(8ull << 30, 6ull << 30, 25);
        rig.WriteSettings(std::string("[提醒设置]\r\n") + std::string(alertSection));
        ASSERT_TRUE(rig.Start().Running());
    }
    // `ticks` ticks of the CPU monitor, each measuring `percent`.
    void TickCpu(int percent, int ticks = 1) {
        for (int tick = 0; tick < ticks; ++tick) {
            rig.cpu.Advance(static_cast<std::int64_t>(100 - percent) * 100'000, 10'000'000);
            rig.Get(WindowKind::CpuMonitor).Timer("时钟_Cpu").Tick();
            rig.clock.now.second = (rig.clock.now.second + 1) % 60;  // the alerts never ask it how long
        }
    }
    NetworkInterface& WatchedRow() {
        const int row = rig.app->Work().Network().MonitoredRow();
        return rig.interfaces.rows.at(static_cast<std::size_t>(row - 1));
    }
    // One tick of all four monitors: the memory load at `memoryPercent`, `receiveK` and `sendK` K moved.
    void TickAll(int cpuPercent, int memoryPercent, int receiveK, int sendK) {
        rig.memory.Set(8ull << 30, 1ull << 30, memoryPercent);
        WatchedRow().receivedBytes += 1280ull * receiveK;
        WatchedRow().sentBytes += 1280ull * sendK;
        rig.Get(WindowKind::MemoryMonitor).Timer("时钟_内存").Tick();
        rig.Get(WindowKind::ReceiveMonitor).Timer("时钟_Lan").Tick();
        rig.Get(WindowKind::SendMonitor).Timer("时钟_Lan").Tick();
        TickCpu(cpuPercent);
    }
    std::vector<std::string> NoticeTexts() const {
        std::vector<std::string> texts;
        for (const auto& notice : rig.desktop.notices) {
            texts.push_back(notice.title + " | " + notice.text);
        }
        return texts;
    }
    // Stores `alerts` as the settings window's "确定" does, and tells the application.
    void Store(const AlertSettings& alerts) {
        ASSERT_TRUE(StoreAlertSettings(rig.app->Settings(), alerts));
        rig.app->ReloadAlertSettings();
    }
    AppRig rig;
};

TEST_F(StayingHigh, OneNoticePerEpisodeFromItsSthTickAboveReArmedOnlyBySTicksAtOrBelow) {
    StartWith("Cpu提醒=是\r\nCpu高于=90\r\nCpu持续秒数=5\r\n");
    TickCpu(97, 4);
    TickCpu(90);  // at the line is not above: this run ends untold
    rig.clock.now = {2026, 12, 7, 15, 3, 12};
    TickCpu(97, 2);
    rig.clock.now = {2026, 12, 7, 14, 0, 0};  // the clock set back neither ends nor stretches the episode
    TickCpu(98, 2);
    EXPECT_TRUE(rig.desktop.notices.empty());
    TickCpu(97);
    EXPECT_EQ(NoticeTexts(),
              std::vector<std::string>{"Cpu 持续偏高 | Cpu 使用率 自 15:03:12 起持续高于 90% 已达 5 秒,现为 97%。"});

    TickCpu(100, 60);  // however long it lasts
    TickCpu(10, 4);    // a dip shorter than the rule's seconds
    TickCpu(99);
    TickCpu(10, 4);
    rig.cpu.failing = true;  // a tick that cannot measure is no evidence of a dip
    TickCpu(0);
    rig.cpu.failing = false;
    TickCpu(10, 4);
    TickCpu(99, 5);
    EXPECT_EQ(rig.desktop.notices.size(), 1u);

    TickCpu(90, 5);  // at the line for the rule's seconds: re-armed
    rig.clock.now = {2026, 12, 8, 9, 0, 0};
    TickCpu(95, 4);
    EXPECT_EQ(rig.desktop.notices.size(), 1u);
    TickCpu(95);
    ASSERT_EQ(rig.desktop.notices.size(), 2u);
    EXPECT_EQ(rig.desktop.notices[1].text, "Cpu 使用率 自 09:00:00 起持续高于 90% 已达 5 秒,现为 95%。");
}

TEST_F(StayingHigh, EachMonitorsOwnValueFeedsItsOwnRule) {
    StartWith(
        "Cpu提醒=是\r\nCpu高于=50\r\nCpu持续秒数=5\r\n内存提醒=是\r\n内存高于=70\r\n内存持续秒数=5\r\n"
        "接收提醒=是\r\n接收高于=100\r\n接收持续秒数=5\r\n发送提醒=是\r\n发送高于=100\r\n发送持续秒数=5\r\n");
    rig.clock.now = {2026, 12, 7, 21, 30, 0};
    for (int tick = 0; tick < 5; ++tick) {
        TickAll(10, 75, 230, 100);  // memory and receive above; the CPU below, send at its line
    }
    EXPECT_EQ(NoticeTexts(),
              (std::vector<std::string>{
                  "内存 持续偏高 | 内存 使用率 自 21:30:00 起持续高于 70% 已达 5 秒,现为 75%。",
                  "接收 持续偏高 | 接收 速率 自 21:30:00 起持续高于 100 KB/s 已达 5 秒,现为 230 KB/s。"}));

    // Without a tray the main window's title carries the line of the latest.
    rig.desktop.trayHost = false;
    const std::string plain = rig.Main().Title();
    TickAll(10, 75, 230, 101);  // the tick notices the tray has gone
    for (int tick = 0; tick < 4; ++tick) {
        TickAll(10, 75, 230, 101);
    }
    EXPECT_EQ(rig.desktop.notices.size(), 2u);
    EXPECT_EQ(rig.Main().Title(), plain + " - 发送 持续高于 100 KB/s");
    for (int tick = 0; tick < 5; ++tick) {
        TickAll(10, 75, 230, 100);  // until the send rate has stayed at its line as long: the line goes
    }
    EXPECT_EQ(rig.Main().Title(), plain);
}

TEST_F(StayingHigh, AStoredRuleTakesEffectAtOnceAndAChangedOneStartsAfresh) {
    StartWith("Cpu提醒=是\r\nCpu高于=80\r\nCpu持续秒数=5\r\n");
    AlertSettings alerts = LoadAlertSettings(rig.app->Settings());
    TickCpu(95, 3);
    alerts.allowanceMb = 500;  // another setting stored: this episode goes on
    Store(alerts);
    TickCpu(95, 2);
    ASSERT_EQ(rig.desktop.notices.size(), 1u);

    TickCpu(50, 5);  // re-armed
    TickCpu(95, 4);
    alerts.Rule(AlertMetric::Cpu).seconds = 6;  // a longer episode now: counted from here
    Store(alerts);
    TickCpu(95, 5);
    EXPECT_EQ(rig.desktop.notices.size(), 1u);
    TickCpu(95);
    ASSERT_EQ(rig.desktop.notices.size(), 2u);
    EXPECT_NE(rig.desktop.notices[1].text.find("已达 6 秒"), std::string::npos);

    TickCpu(50, 6);
    TickCpu(95, 5);
    alerts.Rule(AlertMetric::Cpu).enabled = false;  // switched off mid-episode: nothing more
    Store(alerts);
    TickCpu(95, 10);
    EXPECT_EQ(rig.desktop.notices.size(), 2u);
    alerts.Rule(AlertMetric::Cpu).enabled = true;  // and on again: a new episode from its first tick
    Store(alerts);
    TickCpu(95, 5);
    EXPECT_EQ(rig.desktop.notices.size(), 2u);
    TickCpu(95);
    EXPECT_EQ(rig.desktop.notices.size(), 3u);

    rig.Restart();  // the stored rules are the next run's
    TickCpu(95, 6);
    EXPECT_EQ(rig.desktop.notices.size(), 1u);
}

}  // namespace
}  // namespace quorell
