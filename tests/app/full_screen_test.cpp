#include <gtest/gtest.h>

#include "app_rig.h"

namespace quorell {
namespace {

using testing::AppRig;

constexpr std::size_t kFullScreenItem = 10;

class FullScreen : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.Start().Running()); }
    void Tick() { rig.Get(WindowKind::CpuMonitor).Timer("时钟_Cpu").Tick(); }
    bool OnScreen(WindowKind kind) const { return rig.Get(kind).OnScreen(); }
    AppRig rig;
};

TEST_F(FullScreen, MonitorsStepAsideAndComeBackAsTheUserLeftThem) {
    rig.ChooseFromTray(3);  // CPU and memory shown, receive and send hidden
    rig.ChooseFromTray(4);
    rig.Get(WindowKind::CpuMonitor).MoveByUser(40, 50);
    const std::string settingsBefore = rig.SettingsText();

    rig.fullScreen.active = true;
    rig.cpu.Advance(5'000'000, 10'000'000);
    Tick();
    for (WindowKind monitor :
         {WindowKind::CpuMonitor, WindowKind::MemoryMonitor, WindowKind::ReceiveMonitor, WindowKind::SendMonitor}) {
        EXPECT_FALSE(OnScreen(monitor));
    }
    EXPECT_TRUE(rig.Get(WindowKind::CpuMonitor).Visible());  // the user's choice is untouched
    EXPECT_TRUE(OnScreen(WindowKind::Main));
    // The recording goes on behind the screen.
    EXPECT_EQ(rig.Get(WindowKind::CpuMonitor).Label("显示_当前Cpu使用率").Text().rfind("50", 0), 0u);
    ASSERT_TRUE(rig.store.Flush());
    EXPECT_TRUE(std::filesystem::exists(rig.dir.File("Cpu.FDB")));

    rig.ChooseFromTray(4);  // hidden by the user meanwhile: stays hidden
    rig.ChooseFromTray(5);  // shown by the user meanwhile: appears once the screen is free
    EXPECT_FALSE(OnScreen(WindowKind::ReceiveMonitor));
    Tick();
    EXPECT_FALSE(OnScreen(WindowKind::CpuMonitor));

    rig.fullScreen.active = false;
    Tick();
    EXPECT_TRUE(OnScreen(WindowKind::CpuMonitor));
    EXPECT_FALSE(OnScreen(WindowKind::MemoryMonitor));
    EXPECT_TRUE(OnScreen(WindowKind::ReceiveMonitor));
    EXPECT_FALSE(OnScreen(WindowKind::SendMonitor));
    EXPECT_EQ(rig.Menu().Item(3).Caption(), "隐藏 Cpu 监控");
    EXPECT_EQ(rig.Menu().Item(4).Caption(), "显示 内存 监控");
    EXPECT_EQ(rig.Get(WindowKind::CpuMonitor).Position(), (Point{40, 50}));
    EXPECT_EQ(rig.SettingsText(), settingsBefore);
}

TEST_F(FullScreen, TheMenuItemTurnsItOffAndOnStoredAndCheckedAsSet) {
    EXPECT_TRUE(rig.Menu().Item(kFullScreenItem).Checked());  // on by default, nothing stored
    EXPECT_EQ(rig.Setting("基础设置", "全屏时隐藏"), "<absent>");
    rig.ChooseFromTray(3);
    rig.fullScreen.active = true;
    Tick();
    ASSERT_FALSE(OnScreen(WindowKind::CpuMonitor));

    rig.ChooseFromTray(kFullScreenItem);  // off: back at once, and stays over the full-screen program
    EXPECT_FALSE(rig.Menu().Item(kFullScreenItem).Checked());
    EXPECT_EQ(rig.Setting("基础设置", "全屏时隐藏"), "否");
    EXPECT_TRUE(OnScreen(WindowKind::CpuMonitor));
    Tick();
    EXPECT_TRUE(OnScreen(WindowKind::CpuMonitor));

    rig.Restart();  // the choice outlives the run
    EXPECT_FALSE(rig.Menu().Item(kFullScreenItem).Checked());
    rig.ChooseFromTray(3);
    Tick();
    EXPECT_TRUE(OnScreen(WindowKind::CpuMonitor));
    rig.ChooseFromTray(kFullScreenItem);  // on again: aside at once
    EXPECT_TRUE(rig.Menu().Item(kFullScreenItem).Checked());
    EXPECT_EQ(rig.Setting("基础设置", "全屏时隐藏"), "是");
    EXPECT_FALSE(OnScreen(WindowKind::CpuMonitor));
}

}  // namespace
}  // namespace quorell
