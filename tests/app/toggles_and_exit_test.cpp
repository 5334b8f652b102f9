#include <gtest/gtest.h>

#include "app_rig.h"

namespace quorell {
namespace {

using testing::AppRig;

class RunningApp : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.Start().Running()); }
    AppRig rig;
};

// Whatever shows or hides a window, its tray menu item then offers the opposite action.
TEST_F(RunningApp, EveryWayOfShowingAndHidingLeavesTheCaptionOfferingTheOpposite) {
    PopupMenu& menu = rig.Menu();
    Window& cpu = rig.Get(WindowKind::CpuMonitor);
    rig.ChooseFromTray(kCpuItem);  // the menu
    EXPECT_TRUE(cpu.Visible());
    EXPECT_EQ(menu.Item(kCpuItem).Caption(), "隐藏 Cpu 监控");
    rig.ChooseFromTray(kCpuItem);
    EXPECT_FALSE(cpu.Visible());
    EXPECT_EQ(menu.Item(kCpuItem).Caption(), "显示 Cpu 监控");

    rig.Main().Button("功能_打开Cpu使用").Click();  // the main window's button
    EXPECT_TRUE(cpu.Visible());
    EXPECT_EQ(menu.Item(kCpuItem).Caption(), "隐藏 Cpu 监控");
    rig.ChooseFromTray(kCpuItem);  // so the item hides the window the button showed
    EXPECT_FALSE(cpu.Visible());

    Window& memory = rig.Get(WindowKind::MemoryMonitor);
    rig.Main().Button("功能_打开内存使用").Click();
    memory.PressEscape();  // Esc
    EXPECT_FALSE(memory.Visible());
    EXPECT_EQ(menu.Item(kMemoryItem).Caption(), "显示 内存 监控");

    Window& receive = rig.Get(WindowKind::ReceiveMonitor);
    rig.ChooseFromTray(kReceiveItem);
    receive.PictureBox("功能_关闭窗口").DoubleClick();  // the close mark
    EXPECT_FALSE(receive.Visible());
    EXPECT_EQ(menu.Item(kReceiveItem).Caption(), "显示 接收 监控");
    rig.ChooseFromTray(kReceiveItem);
    EXPECT_TRUE(receive.Visible());

    Window& trend = rig.Get(WindowKind::Trend);
    rig.Main().Button("功能_查看统计").Click();
    EXPECT_EQ(menu.Item(kTrendItem).Caption(), "隐藏趋势统计窗口");
    trend.RequestClose();  // the close box
    EXPECT_EQ(menu.Item(kTrendItem).Caption(), "显示趋势统计窗口");

    rig.Main().RaiseTrayEvent(TrayClick::DoubleClick);  // the tray icon's double-click
    EXPECT_FALSE(rig.Main().Visible());
    EXPECT_EQ(menu.Item(kMainItem).Caption(), "显示软件界面");
    rig.app->Dispatch([&] { rig.Main().SetVisible(true); });  // as a later start's request shows it
    EXPECT_EQ(menu.Item(kMainItem).Caption(), "隐藏软件界面");
    rig.ChooseFromTray(kMainItem);
    EXPECT_FALSE(rig.Main().Visible());
    EXPECT_EQ(menu.Item(kMainItem).Caption(), "显示软件界面");
}

TEST_F(RunningApp, EveryButtonTogglesItsWindow) {
    const std::pair<const char*, WindowKind> buttons[] = {{"功能_打开Cpu使用", WindowKind::CpuMonitor},
                                                          {"功能_打开内存使用", WindowKind::MemoryMonitor},
                                                          {"功能_打开Lan接收", WindowKind::ReceiveMonitor},
                                                          {"功能_打开Lan发送", WindowKind::SendMonitor},
                                                          {"功能_查看统计", WindowKind::Trend}};
    for (const auto& [button, kind] : buttons) {
        rig.Main().Button(button).Click();
        EXPECT_TRUE(rig.Get(kind).Visible()) << button;
        rig.Main().Button(button).Click();
        EXPECT_FALSE(rig.Get(kind).Visible()) << button;
    }
}

TEST_F(RunningApp, AClickIsOneEventWithEveryHandlerItRaises) {
    Application& app = *rig.app;
    const std::size_t before = app.EventCount();
    // As a view forwards the click: the button's handler, the CPU window's showing and its placement run
    // inside that one event, which alone looks at the files and saves what is due.
    EXPECT_TRUE(app.Dispatch([&] { rig.Main().Button("功能_打开Cpu使用").Click(); }));
    EXPECT_TRUE(rig.Get(WindowKind::CpuMonitor).Visible());
    EXPECT_EQ(app.EventCount(), before + 1);
    // Raised by the model outside any event, the bound handler is the event.
    rig.Main().Button("功能_打开Cpu使用").Click();
    EXPECT_EQ(app.EventCount(), before + 2);
    // A right click on the tray icon, its menu and the item chosen from it: one event.
    rig.ChooseFromTray(3);
    EXPECT_TRUE(rig.Get(WindowKind::CpuMonitor).Visible());
    EXPECT_EQ(app.EventCount(), before + 3);
}

TEST_F(RunningApp, TrayClicksAndTheMenuPlacement) {
    rig.desktop.cursor = {1000, 1040};
    rig.Main().RaiseTrayEvent(TrayClick::LeftUp);
    EXPECT_TRUE(rig.desktop.menuPopups.empty());
    EXPECT_TRUE(rig.Main().Visible());
    rig.Main().RaiseTrayEvent(TrayClick::RightUp);  // the menu opens and closes without a choice
    ASSERT_EQ(rig.desktop.menuPopups.size(), 1u);
    EXPECT_EQ(rig.desktop.menuPopups[0].topLeft, (ScreenPoint{1003, 1043}));
    EXPECT_EQ(rig.desktop.menuPopups[0].menuName, "右键菜单");
    EXPECT_EQ(rig.desktop.menuPopups[0].owner, WindowKind::Main);
    rig.ChooseFromTray(2);   // a separator
    rig.ChooseFromTray(99);  // no such item
    EXPECT_TRUE(rig.desktop.questions.empty());
    EXPECT_TRUE(rig.app->Running());
}

TEST_F(RunningApp, ClosingTheMainWindowHidesItAndOpensOurPage) {
    EXPECT_FALSE(rig.Main().RequestClose());
    EXPECT_FALSE(rig.Main().Visible());
    EXPECT_TRUE(rig.Main().Exists());
    EXPECT_EQ(rig.desktop.openedAddresses, std::vector<std::string>{"https://quorell.example.org/"});
    rig.Main().RaiseTrayEvent(TrayClick::DoubleClick);
    EXPECT_TRUE(rig.Main().Visible());
    EXPECT_FALSE(rig.Main().PressEscape());
    EXPECT_FALSE(rig.Main().Visible());
    EXPECT_EQ(rig.desktop.openedAddresses.size(), 2u);
    EXPECT_TRUE(rig.app->Running());
    EXPECT_EQ(rig.desktop.trayIcons.count(100), 1u);
}

TEST_F(RunningApp, MonitorCloseMarkNeedsADoubleClickAndEveryCloseOnlyHides) {
    Window& send = rig.Get(WindowKind::SendMonitor);
    rig.Main().Button("功能_打开Lan发送").Click();
    send.PictureBox("功能_关闭窗口").Click();
    EXPECT_TRUE(send.Visible());
    send.PictureBox("功能_关闭窗口").DoubleClick();
    EXPECT_FALSE(send.Visible());
    rig.Main().Button("功能_打开Lan发送").Click();
    EXPECT_FALSE(send.RequestClose());
    EXPECT_FALSE(send.Visible());
    EXPECT_TRUE(send.Exists());
    EXPECT_TRUE(send.Timer("时钟_Lan").Running());
    EXPECT_EQ(rig.Menu().Item(6).Caption(), "显示 发送 监控");
}

TEST_F(RunningApp, ClosingTheTrendWindowHidesItSoItCanComeBack) {
    Window& trend = rig.Get(WindowKind::Trend);
    rig.Main().Button("功能_查看统计").Click();
    EXPECT_FALSE(trend.RequestClose());
    EXPECT_FALSE(trend.Visible());
    EXPECT_TRUE(trend.Timer("时钟_统计流量").Running());
    rig.ChooseFromTray(8);
    EXPECT_TRUE(trend.Visible());
}

TEST_F(RunningApp, AnsweringNoToTheExitQuestionChangesNothing) {
    rig.Main().Button("功能_打开Cpu使用").Click();
    const std::string settingsBefore = rig.SettingsText();
    rig.desktop.answer = MessageAnswer::No;
    rig.ChooseFromTray(kExitItem);
    ASSERT_EQ(rig.desktop.questions.size(), 1u);
    EXPECT_EQ(rig.desktop.questions[0].title, "退出警告");
    EXPECT_EQ(rig.desktop.questions[0].text,
              "警告: 退出以后,您将无法方便的了解到信息资源信息!\r\n请问您确定要退出 Velkor-Quorell 吗?");
    EXPECT_EQ(rig.desktop.questions[0].icon, MessageIcon::Question);
    EXPECT_TRUE(rig.app->Running());
    EXPECT_EQ(rig.desktop.quitCode, std::nullopt);
    EXPECT_EQ(rig.desktop.trayIcons.count(100), 1u);
    EXPECT_TRUE(rig.Main().Visible());
    EXPECT_TRUE(rig.Get(WindowKind::CpuMonitor).Visible());
    EXPECT_TRUE(rig.Get(WindowKind::CpuMonitor).Timer("时钟_Cpu").Running());
    EXPECT_EQ(rig.SettingsText(), settingsBefore);
}

TEST_F(RunningApp, AnsweringYesRemovesTheTrayIconAndEndsWithZero) {
    rig.desktop.answer = MessageAnswer::Yes;
    rig.ChooseFromTray(kExitItem);
    EXPECT_TRUE(rig.desktop.trayIcons.empty());
    EXPECT_EQ(rig.desktop.quitCode, std::optional<int>(0));
    EXPECT_EQ(rig.app->ExitCode(), std::optional<int>(0));
    EXPECT_FALSE(rig.app->Running());
    // Events still in flight after the end run no handler.
    rig.Main().Button("功能_打开Cpu使用").Click();
    EXPECT_FALSE(rig.Get(WindowKind::CpuMonitor).Visible());
}

TEST(RefusedTray, TheProgramRunsWithoutItAndTheButtonsStillWork) {
    AppRig rig;
    rig.desktop.refuseTrayIcon = true;
    ASSERT_TRUE(rig.Start().Running());
    EXPECT_TRUE(rig.desktop.trayIcons.empty());
    rig.Main().Button("功能_打开内存使用").Click();
    EXPECT_TRUE(rig.Get(WindowKind::MemoryMonitor).Visible());
}

TEST(FatalError, AnErrorInsideAHandlerShowsTheMessageAndEndsWithMinusOne) {
    AppRig rig;
    ASSERT_TRUE(rig.Start().Running());
    rig.runDirectory.failing = true;
    // Typed through a view: the error in the bound handler ends the view's event, once.
    EXPECT_FALSE(rig.app->Dispatch([&] { rig.Main().EditBox("输入_网络带宽").TypeCharacter(U'7'); }));
    ASSERT_EQ(rig.desktop.fatalErrors.size(), 1u);
    EXPECT_EQ(rig.desktop.fatalErrors[0], "运行时出错!\r\n\r\n错误信息：run directory unavailable\r\n");
    EXPECT_EQ(rig.desktop.quitCode, std::optional<int>(-1));
    EXPECT_EQ(rig.app->ExitCode(), std::optional<int>(-1));
    EXPECT_TRUE(rig.desktop.trayIcons.empty());
    rig.runDirectory.failing = false;
    rig.Main().EditBox("输入_网络带宽").TypeCharacter(U'8');  // no handler runs after the end
    EXPECT_EQ(rig.Setting("基础设置", "用户带宽"), "<absent>");
}

TEST(FatalError, AnErrorDuringStartUpEndsTheRunBeforeTheTrayIconAndTheMainWindow) {
    AppRig rig;
    rig.runDirectory.failing = true;
    Application& app = rig.Start();
    EXPECT_FALSE(app.Running());
    EXPECT_EQ(rig.desktop.quitCode, std::optional<int>(-1));
    EXPECT_EQ(rig.desktop.fatalErrors.size(), 1u);
    EXPECT_TRUE(rig.desktop.trayIcons.empty());
    EXPECT_EQ(rig.desktop.trayAdds, 0);
}

}  // namespace
}  // namespace quorell
