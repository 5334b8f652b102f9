#include <gtest/gtest.h>

#include "app_rig.h"

namespace quorell {
namespace {

using testing::AppRig;

const WindowKind kHiddenAtStart[] = {WindowKind::CpuMonitor,  WindowKind::MemoryMonitor, WindowKind::ReceiveMonitor,
                                     WindowKind::SendMonitor, WindowKind::Trend,         WindowKind::Alerts};

TEST(FirstStart, ShowsOnlyTheMainWindowWithTrayIconAndStartCaptions) {
    AppRig rig;
    Application& app = rig.Start();
    ASSERT_TRUE(app.Running());
    EXPECT_TRUE(rig.Main().Visible());
    for (WindowKind kind : kHiddenAtStart) {
        EXPECT_TRUE(rig.Get(kind).Exists());
        EXPECT_FALSE(rig.Get(kind).Visible());
    }
    ASSERT_EQ(rig.desktop.trayIcons.count(100), 1u);
    const TrayIconData& tray = rig.desktop.trayIcons.at(100);
    EXPECT_EQ(tray.owner, WindowKind::Main);
    EXPECT_EQ(tray.image, TrayImage::Application);
    EXPECT_EQ(tray.tipText.rfind("Velkor - Quorell\r\n", 0), 0u);
    EXPECT_EQ(rig.Menu().Item(1).Caption(), "隐藏软件界面");
    EXPECT_EQ(rig.Menu().Item(3).Caption(), "显示 Cpu 监控");
    EXPECT_EQ(rig.Menu().Item(8).Caption(), "显示趋势统计窗口");
    EXPECT_EQ(rig.Main().EditBox("输入_网络带宽").Text(), "2");
    EXPECT_FALSE(rig.Main().CheckBox("选择_是否透明").Checked());
}

TEST(FirstStart, WritesExactlyTheCentredPositionsAndTheTransparencyChoice) {
    AppRig rig;  // one 1920 x 1080 screen: monitor windows of 302 x 142 centre at (809, 469)
    rig.Start();
    EXPECT_EQ(rig.SettingsText(),
              "[界面设置]\r\n"
              "Cpu左边=809\r\nCpu顶边=469\r\n"
              "内存左边=809\r\n内存顶边=469\r\n"
              "接收左边=809\r\n接收顶边=469\r\n"
              "发送左边=809\r\n发送顶边=469\r\n"
              "[基础设置]\r\n"
              "是否透明=否\r\n");
    EXPECT_EQ(rig.Main().Position(), (Point{(1920 - 530) / 2, (1080 - 279) / 2}));
    EXPECT_EQ(rig.Get(WindowKind::Trend).Position(), (Point{710, 390}));
    // The opaque state is applied to the four monitors in the order CPU, receive, send, memory.
    EXPECT_EQ(rig.desktop.transparencyOrder,
              (std::vector<WindowKind>{WindowKind::CpuMonitor, WindowKind::ReceiveMonitor, WindowKind::SendMonitor,
                                       WindowKind::MemoryMonitor}));
    for (const auto& [window, key] : rig.desktop.colourKeys) {
        EXPECT_EQ(key, std::nullopt);
    }
}

TEST(StoredSettings, PositionsComeBackAndAreWrittenOnceMore) {
    AppRig rig;
    rig.desktop.screens = {{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}};
    rig.WriteSettings(
        "[界面设置]\r\nCpu左边=100\r\nCpu顶边=200\r\n接收左边=-1280\r\n接收顶边=300\r\n"
        "内存左边=12abc\r\n内存顶边=\r\n"
        "[基础设置]\r\n用户带宽=100\r\n");
    rig.Start();
    EXPECT_EQ(rig.Get(WindowKind::CpuMonitor).Position(), (Point{100, 200}));
    EXPECT_EQ(rig.Get(WindowKind::ReceiveMonitor).Position(), (Point{-1280, 300}));
    EXPECT_EQ(rig.Get(WindowKind::MemoryMonitor).Position(), (Point{12, 0}));  // leading number, empty is 0
    EXPECT_EQ(rig.Get(WindowKind::SendMonitor).Position(), (Point{809, 469}));
    EXPECT_EQ(rig.Setting("界面设置", "Cpu左边"), "100");
    EXPECT_EQ(rig.Setting("界面设置", "接收左边"), "-1280");
    EXPECT_EQ(rig.Setting("界面设置", "内存左边"), "12");
    EXPECT_EQ(rig.Setting("界面设置", "内存顶边"), "0");
    EXPECT_EQ(rig.Main().EditBox("输入_网络带宽").Text(), "100");
}

TEST(StoredSettings, APositionOnNoScreenIsNotAppliedAndGetsReplaced) {
    AppRig rig;
    rig.WriteSettings(
        "[界面设置]\r\nCpu左边=-1280\r\nCpu顶边=300\r\n发送左边=1900\r\n发送顶边=1000\r\n"
        "内存左边=99999999999\r\n内存顶边=-99999999999\r\n");
    rig.Start();  // only the primary screen: -1280 lies on no screen; (1900, 1000) still shows a corner
    EXPECT_EQ(rig.Get(WindowKind::CpuMonitor).Position(), (Point{809, 469}));
    EXPECT_EQ(rig.Setting("界面设置", "Cpu左边"), "809");
    EXPECT_EQ(rig.Setting("界面设置", "Cpu顶边"), "469");
    EXPECT_EQ(rig.Get(WindowKind::SendMonitor).Position(), (Point{1900, 1000}));
    EXPECT_EQ(rig.Get(WindowKind::MemoryMonitor).Position(), (Point{809, 469}));
    EXPECT_EQ(rig.Setting("界面设置", "内存顶边"), "469");
}

TEST(StoredSettings, TransparencyYesMakesTheMonitorsSeeThrough) {
    AppRig rig;
    rig.WriteSettings("[基础设置]\r\n是否透明=是\r\n");
    rig.Start();
    EXPECT_EQ(rig.desktop.transparencyOrder.size(), 4u);
    EXPECT_TRUE(rig.Main().CheckBox("选择_是否透明").Checked());
    for (WindowKind kind :
         {WindowKind::CpuMonitor, WindowKind::MemoryMonitor, WindowKind::ReceiveMonitor, WindowKind::SendMonitor}) {
        EXPECT_EQ(rig.desktop.colourKeys.at(kind), std::optional<std::uint32_t>(0xECECEC));
    }
    EXPECT_EQ(rig.Setting("基础设置", "是否透明"), "是");

    // Unticking makes them opaque again and stores the choice.
    rig.Main().CheckBox("选择_是否透明").Click();
    EXPECT_EQ(rig.desktop.colourKeys.at(WindowKind::MemoryMonitor), std::nullopt);
    EXPECT_EQ(rig.Setting("基础设置", "是否透明"), "否");
}

TEST(StoredSettings, TheStoredInterfaceIsWatchedFromTheFirstTick) {
    AppRig rig;
    rig.interfaces.rows[4].name = "wlan0";
    rig.interfaces.defaultRoute = 2;
    rig.WriteSettings("[基础设置]\r\n监控网卡=wlan0\r\n");
    rig.Start();
    rig.interfaces.rows[4].receivedBytes += 1280 * 7;
    rig.interfaces.rows[1].receivedBytes += 1280 * 99;  // the routed interface is not the user's
    Window& receive = rig.Get(WindowKind::ReceiveMonitor);
    receive.Timer("时钟_Lan").Tick();
    EXPECT_EQ(receive.Label("显示_当前流量").Text(), "7K");
    EXPECT_EQ(receive.ToolTip(), "监控网卡: wlan0 (手动选择)");
}

TEST(StoredSettings, AnyOtherTransparencyTextCountsAsNoAndIsRewritten) {
    for (const char* stored : {"yes", "是是", "\"否\"", ""}) {
        AppRig rig;
        rig.WriteSettings(std::string("[基础设置]\r\n是否透明=") + stored + "\r\n");
        rig.Start();
        EXPECT_FALSE(rig.Main().CheckBox("选择_是否透明").Checked()) << stored;
        EXPECT_EQ(rig.Setting("基础设置", "是否透明"), "否") << stored;
    }
}

TEST(Bandwidth, TypingFifteenIntoAnEmptyBoxWritesOneThenFifteen) {
    AppRig rig;
    rig.Start();
    EditBox& box = rig.Main().EditBox("输入_网络带宽");
    box.TypeCharacter(8);  // backspace empties the box, and that change is stored as well
    EXPECT_EQ(rig.Setting("基础设置", "用户带宽"), "");
    box.TypeCharacter(U'1');
    EXPECT_EQ(rig.Setting("基础设置", "用户带宽"), "1");
    box.TypeCharacter(U'x');  // refused: nothing written
    EXPECT_EQ(rig.Setting("基础设置", "用户带宽"), "1");
    box.TypeCharacter(U'5');
    EXPECT_EQ(rig.Setting("基础设置", "用户带宽"), "15");
    rig.Restart();
    EXPECT_EQ(rig.Main().EditBox("输入_网络带宽").Text(), "15");
}

TEST(Placement, UserMovesAreStoredAtOnceAndComeBackAfterARestart) {
    AppRig rig;
    rig.Start();
    Window& receive = rig.Get(WindowKind::ReceiveMonitor);
    receive.MoveByUser(10, 20);
    EXPECT_EQ(rig.Setting("界面设置", "接收左边"), "10");
    EXPECT_EQ(rig.Setting("界面设置", "接收顶边"), "20");
    receive.MoveByUser(11, 20);  // both keys on every step, even when only one edge moved
    EXPECT_EQ(rig.Setting("界面设置", "接收左边"), "11");
    rig.Restart();
    EXPECT_EQ(rig.Get(WindowKind::ReceiveMonitor).Position(), (Point{11, 20}));
    EXPECT_TRUE(rig.app->Placement().PlacementReady(WindowKind::ReceiveMonitor));
}

}  // namespace
}  // namespace quorell
