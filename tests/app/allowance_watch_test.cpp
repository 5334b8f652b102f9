#include <gtest/gtest.h>

#include <string>

#include "app/allowance_watch.h"
#include "app/measured_work.h"
#include "app_rig.h"

namespace quorell {
namespace {

using testing::AppRig;

// A whole run with an allowance of 2 MB (1638.4 K) from the 1st, on the fake clock and interfaces.
class Allowance : public ::testing::Test {
protected:
    void SetUp() override {
        rig.clock.now = {2026, 12, 7, 21, 0, 0};
        rig.WriteSettings("[提醒设置]\r\n每月流量上限=2\r\n结算日=1\r\n");
        ASSERT_TRUE(rig.Start().Running());
    }
    // One second in which the watched interface received and sent these many K.
    void Second(std::uint64_t receivedK, std::uint64_t sentK) {
        NetworkInterface& row =
            rig.interfaces.rows.at(static_cast<std::size_t>(rig.app->Work().Network().MonitoredRow() - 1));
        row.receivedBytes += receivedK * 1280;
        row.sentBytes += sentK * 1280;
        rig.Get(WindowKind::ReceiveMonitor).Timer("时钟_Lan").Tick();
        rig.Get(WindowKind::SendMonitor).Timer("时钟_Lan").Tick();
    }
    std::string Tip() { return rig.desktop.trayIcons.at(kTrayIconId).tipText; }
    std::string Stored(const char* file, const char* key) {
        return IniFile(rig.store, rig.dir.File(file)).Read("其他", key, "<absent>");
    }
    AppRig rig;
};

TEST_F(Allowance, TheTipShowsThePeriodAndEachShareIsToldOncePerPeriodAcrossRestarts) {
    EXPECT_NE(Tip().find("Velkor - Quorell\r\n本期已用 0 MB / 2 MB\r\n"), std::string::npos) << Tip();
    Second(700, 600);  // 1300 K: just under 80 %
    EXPECT_NE(Tip().find("本期已用 1 MB / 2 MB"), std::string::npos) << Tip();
    const int changes = rig.desktop.trayChanges;
    Second(5, 5);  // the line is the same: the tray is left alone
    EXPECT_EQ(rig.desktop.trayChanges, changes);
    EXPECT_TRUE(rig.desktop.notices.empty());

    Second(0, 10);  // 1320 K
    ASSERT_EQ(rig.desktop.notices.size(), 1u);
    EXPECT_EQ(rig.desktop.notices[0].title, "流量提醒");
    EXPECT_EQ(rig.desktop.notices[0].text, "本期(自 2026年12月1日起)已用 1 MB,达到每月流量上限 2 MB 的 80%。");
    Second(100, 100);
    Second(100, 100);  // 1720 K
    ASSERT_EQ(rig.desktop.notices.size(), 2u);
    EXPECT_EQ(rig.desktop.notices[1].text, "本期(自 2026年12月1日起)已用 2 MB,达到每月流量上限 2 MB 的 100%。");
    Second(1000, 0);
    EXPECT_EQ(rig.desktop.notices.size(), 2u);
    EXPECT_EQ(Stored("接收.FDB", "本期"), "1905");
    EXPECT_EQ(Stored("发送.FDB", "本期"), "815");
    EXPECT_EQ(Stored("接收.FDB", "本期提醒"), "100");

    // Restarted later in the same period: nothing is told again, the count goes on.
    ASSERT_TRUE(rig.store.Flush());
    rig.clock.now = {2026, 12, 31, 23, 59, 0};
    rig.Restart();
    EXPECT_NE(Tip().find("本期已用 3 MB / 2 MB"), std::string::npos) << Tip();
    Second(10, 10);
    EXPECT_TRUE(rig.desktop.notices.empty());

    // A new period starts both files at 0; the shares are told again in it.
    rig.clock.now = {2027, 1, 1, 0, 0, 1};
    Second(1400, 0);
    EXPECT_EQ(Stored("接收.FDB", "本期开始"), "2027年1月1日");
    EXPECT_EQ(Stored("发送.FDB", "本期"), "0");
    ASSERT_EQ(rig.desktop.notices.size(), 1u);
    EXPECT_NE(rig.desktop.notices[0].text.find("自 2027年1月1日起"), std::string::npos);
}

TEST_F(Allowance, ANewAllowanceTakesEffectAtOnceAndOffKeepsCounting) {
    Second(1000, 0);
    EXPECT_TRUE(rig.desktop.notices.empty());
    // The settings window stores a smaller allowance: told at once of the highest share reached.
    ASSERT_TRUE(StoreAlertSettings(rig.app->Settings(), AlertSettings{.allowanceMb = 1}));
    rig.app->ReloadAlertSettings();
    ASSERT_EQ(rig.desktop.notices.size(), 1u);
    EXPECT_NE(rig.desktop.notices[0].text.find("的 100%"), std::string::npos);
    EXPECT_NE(Tip().find("本期已用 1 MB / 1 MB"), std::string::npos) << Tip();

    // Off: no line, no notices, but the period still counts, so turning it on shows the truth.
    ASSERT_TRUE(StoreAlertSettings(rig.app->Settings(), AlertSettings{}));
    rig.app->ReloadAlertSettings();
    EXPECT_EQ(Tip().find("本期"), std::string::npos) << Tip();
    Second(2000, 0);
    EXPECT_EQ(rig.desktop.notices.size(), 1u);
    EXPECT_EQ(Stored("接收.FDB", "本期"), "3000");
    ASSERT_TRUE(StoreAlertSettings(rig.app->Settings(), AlertSettings{.allowanceMb = 2047}));
    rig.app->ReloadAlertSettings();
    EXPECT_NE(Tip().find("本期已用 3 MB / 1.9 GB"), std::string::npos) << Tip();  // cut, never rounded up
}

}  // namespace
}  // namespace quorell
