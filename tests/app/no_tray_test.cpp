// Without a tray host the main window stands in for the tray icon; a host that comes up later takes it.
#include <gtest/gtest.h>

#include "app_rig.h"

namespace quorell {
namespace {

using testing::AppRig;

void TickCpu(const AppRig& rig) {
    rig.Get(WindowKind::CpuMonitor).Timer(names::kCpuMonitor.timer).Tick();
}

TEST(NoTray, TheMainWindowStandsInForTheTrayUntilAHostAppears) {
    AppRig rig;
    rig.desktop.trayHost = false;
    ASSERT_TRUE(rig.Start().Running());
    EXPECT_FALSE(rig.app->MainLogic().TrayIconInstalled());

    // A right click anywhere on the main window opens the tray menu where the tray's would open.
    rig.desktop.cursor = {400, 300};
    rig.Main().RightClick();
    ASSERT_EQ(rig.desktop.menuPopups.size(), 1u);
    EXPECT_EQ(rig.desktop.menuPopups[0].menuName, "右键菜单");
    EXPECT_EQ(rig.desktop.menuPopups[0].topLeft, (ScreenPoint{403, 303}));
    rig.desktop.menuChoice = kCpuItem;
    rig.Main().RightClick();
    EXPECT_TRUE(rig.Get(WindowKind::CpuMonitor).Visible());

    // Closing minimizes to the task bar: hidden, nothing could show the window again.
    EXPECT_FALSE(rig.Main().RequestClose());
    EXPECT_FALSE(rig.Main().PressEscape());
    EXPECT_TRUE(rig.Main().Visible());
    EXPECT_EQ(rig.desktop.minimized, (std::vector<WindowKind>{WindowKind::Main, WindowKind::Main}));

    // A tray host comes up: the icon docks on the next tick and everything is as with a tray.
    rig.desktop.trayHost = true;
    TickCpu(rig);
    EXPECT_TRUE(rig.app->MainLogic().TrayIconInstalled());
    EXPECT_EQ(rig.desktop.trayIcons.count(kTrayIconId), 1u);
    rig.Main().RightClick();
    EXPECT_EQ(rig.desktop.menuPopups.size(), 2u);
    EXPECT_FALSE(rig.Main().RequestClose());
    EXPECT_FALSE(rig.Main().Visible());
    EXPECT_EQ(rig.desktop.minimized.size(), 2u);

    // The host goes away while the main window is hidden: the window comes back, the only way in left.
    rig.desktop.trayHost = false;
    rig.desktop.trayIcons.clear();
    TickCpu(rig);
    EXPECT_TRUE(rig.Main().Visible());
    EXPECT_FALSE(rig.app->MainLogic().TrayIconInstalled());

    // A host that came up since the last tick already decides a close: the icon docks and the window hides.
    rig.desktop.trayHost = true;
    EXPECT_FALSE(rig.Main().RequestClose());
    EXPECT_FALSE(rig.Main().Visible());
    EXPECT_TRUE(rig.app->MainLogic().TrayIconInstalled());
    EXPECT_EQ(rig.desktop.minimized.size(), 2u);
    rig.desktop.trayHost = false;
    rig.desktop.trayIcons.clear();
    TickCpu(rig);
    ASSERT_TRUE(rig.Main().Visible());

    // Its menu's exit item ends the program like the tray's.
    rig.desktop.answer = MessageAnswer::Yes;
    rig.desktop.menuChoice = kExitItem;
    rig.Main().RightClick();
    EXPECT_EQ(rig.desktop.questions.size(), 1u);
    EXPECT_EQ(rig.desktop.quitCode, std::optional<int>(0));
}

TEST(NoTray, AnAlertIsTheTraysNotificationOrWithoutATrayTheMainWindowsTitleBehindARecordingStop) {
    AppRig rig;
    ASSERT_TRUE(rig.Start().Running());
    const std::string plain = rig.Main().Title();
    rig.app->MainLogic().ShowAlert("流量提醒", "本期已用 80%", "本期已用 80%");
    ASSERT_EQ(rig.desktop.notices.size(), 1u);
    EXPECT_EQ(rig.desktop.notices[0].text, "本期已用 80%");
    EXPECT_EQ(rig.Main().Title(), plain);

    rig.desktop.trayHost = false;
    TickCpu(rig);
    EXPECT_EQ(rig.Main().Title(), plain + " - 本期已用 80%");
    rig.app->MainLogic().ShowAlert("Cpu 持续偏高", "Cpu 持续高于 90%", "Cpu 持续高于 90%");
    EXPECT_EQ(rig.desktop.notices.size(), 1u);
    EXPECT_EQ(rig.Main().Title(), plain + " - Cpu 持续高于 90%");
}

}  // namespace
}  // namespace quorell
