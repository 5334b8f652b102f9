// The alert settings window driven through the whole application: opened from the tray menu, filled from
// the settings file, and storing only good values at "确定".
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <variant>

#include "app_rig.h"

namespace quorell {
namespace {

using testing::AppRig;

constexpr std::size_t kAlertsMenuItem = 11;

class AlertsWindow : public ::testing::Test {
protected:
    Window& Alerts() { return rig.Get(WindowKind::Alerts); }
    EditBox& Box(std::string_view name) { return Alerts().EditBox(name); }
    void Type(std::string_view name, const std::u32string& text) {
        EditBox& box = Box(name);
        box.SetText("");
        for (char32_t c : text) {
            box.TypeCharacter(c);
        }
    }
    void Confirm() { Alerts().Button("功能_确定").Click(); }

    AppRig rig;
};

TEST_F(AlertsWindow, TheMenuItemOpensItFilledFromTheFileInFrontAndKeepsWhatIsBeingTyped) {
    rig.WriteSettings(
        "[提醒设置]\r\n每月流量上限=20480\r\n结算日=15\r\n内存提醒=是\r\n内存高于=85\r\n"
        "内存持续秒数=300\r\n发送高于=512\r\n");
    rig.Start();
    ASSERT_TRUE(Alerts().Exists());
    EXPECT_FALSE(Alerts().Visible());
    int fronts = 0;
    const Subscription watch = Alerts().Subscribe(
        [&](const WindowChange& change) { fronts += std::holds_alternative<ToFrontChange>(change) ? 1 : 0; });

    rig.ChooseFromTray(kAlertsMenuItem);
    ASSERT_TRUE(Alerts().Visible());
    EXPECT_EQ(fronts, 1);
    EXPECT_EQ(Box("输入_流量上限").Text(), "20480");
    EXPECT_EQ(Box("输入_结算日").Text(), "15");
    EXPECT_TRUE(Alerts().CheckBox("选择_内存提醒").Checked());
    EXPECT_FALSE(Alerts().CheckBox("选择_Cpu提醒").Checked());
    EXPECT_EQ(Box("输入_内存高于").Text(), "85");
    EXPECT_EQ(Box("输入_内存秒数").Text(), "300");
    EXPECT_EQ(Box("输入_发送高于").Text(), "512");
    EXPECT_EQ(Box("输入_Cpu秒数").Text(), "60");  // absent: the default

    // Digits only: no sign, no letters.
    EXPECT_FALSE(Box("输入_结算日").TypeCharacter(U'-'));
    EXPECT_FALSE(Box("输入_结算日").TypeCharacter(U'x'));
    EXPECT_TRUE(Box("输入_结算日").TypeCharacter(U'7'));

    // Chosen again while open: brought to the front, the typing kept; the item is not a toggle.
    rig.ChooseFromTray(kAlertsMenuItem);
    EXPECT_TRUE(Alerts().Visible());
    EXPECT_EQ(fronts, 2);
    EXPECT_EQ(Box("输入_结算日").Text(), "157");
    EXPECT_EQ(rig.Menu().Item(kAlertsMenuItem).Caption(), "提醒设置...");
    EXPECT_TRUE(rig.desktop.messages.empty());
}

TEST_F(AlertsWindow, ABadValueIsRefusedByNameInAMessageAndNothingIsStored) {
    rig.Start();
    rig.ChooseFromTray(kAlertsMenuItem);
    const std::string before = rig.SettingsText();
    Type("输入_流量上限", U"1024");
    Type("输入_结算日", U"29");
    Alerts().CheckBox("选择_Cpu提醒").Click();
    Confirm();

    ASSERT_EQ(rig.desktop.messages.size(), 1u);
    EXPECT_EQ(rig.desktop.messages[0].title, "提醒设置");
    EXPECT_EQ(rig.desktop.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(rig.desktop.messages[0].text.find("结算日"), std::string::npos) << rig.desktop.messages[0].text;
    EXPECT_EQ(rig.SettingsText(), before);
    EXPECT_EQ(rig.Setting("提醒设置", "每月流量上限"), "<absent>");
    // The window stays with the user's texts, to be put right.
    EXPECT_TRUE(Alerts().Visible());
    EXPECT_EQ(Box("输入_结算日").Text(), "29");
    EXPECT_TRUE(Alerts().CheckBox("选择_Cpu提醒").Checked());

    Type("输入_Cpu秒数", U"");  // an empty field is refused as well
    Type("输入_结算日", U"28");
    Confirm();
    ASSERT_EQ(rig.desktop.messages.size(), 2u);
    EXPECT_NE(rig.desktop.messages[1].text.find("Cpu持续秒数"), std::string::npos) << rig.desktop.messages[1].text;
    EXPECT_EQ(rig.SettingsText(), before);
}

TEST_F(AlertsWindow, GoodValuesAreStoredAndHideTheWindowAndAFailedSaveIsSaid) {
    rig.Start();
    rig.ChooseFromTray(kAlertsMenuItem);
    Type("输入_流量上限", U"51200");
    Type("输入_结算日", U"5");
    Alerts().CheckBox("选择_接收提醒").Click();
    Type("输入_接收高于", U"2048");
    Type("输入_接收秒数", U"30");

    // A settings file that cannot be replaced: said, the window stays open with the texts.
    const auto settings = rig.SettingsPath();
    std::filesystem::rename(settings, rig.dir.File("kept.Ini"));
    std::filesystem::create_directory(settings);
    Confirm();
    ASSERT_EQ(rig.desktop.messages.size(), 1u);
    EXPECT_NE(rig.desktop.messages[0].text.find("未能保存"), std::string::npos) << rig.desktop.messages[0].text;
    EXPECT_TRUE(Alerts().Visible());
    std::filesystem::remove(settings);
    std::filesystem::rename(rig.dir.File("kept.Ini"), settings);

    Confirm();
    EXPECT_EQ(rig.desktop.messages.size(), 1u);
    EXPECT_FALSE(Alerts().Visible());
    EXPECT_EQ(rig.Setting("提醒设置", "每月流量上限"), "51200");
    EXPECT_EQ(rig.Setting("提醒设置", "结算日"), "5");
    EXPECT_EQ(rig.Setting("提醒设置", "接收提醒"), "是");
    EXPECT_EQ(rig.Setting("提醒设置", "接收高于"), "2048");
    EXPECT_EQ(rig.Setting("提醒设置", "接收持续秒数"), "30");
    EXPECT_EQ(rig.Setting("提醒设置", "Cpu提醒"), "否");
    // The running program follows at once: the tray tip shows the new allowance.
    const std::string tip = rig.desktop.trayIcons.at(kTrayIconId).tipText;
    EXPECT_NE(tip.find("本期已用 0 MB / 50.0 GB"), std::string::npos) << tip;

    // The next run shows what was stored.
    rig.Restart();
    rig.ChooseFromTray(kAlertsMenuItem);
    EXPECT_EQ(Box("输入_流量上限").Text(), "51200");
    EXPECT_TRUE(Alerts().CheckBox("选择_接收提醒").Checked());
}

TEST_F(AlertsWindow, CancelEscAndTheCloseBoxStoreNothingAndDropTheTyping) {
    rig.Start();
    const std::string before = rig.SettingsText();
    const auto typeAndLeave = [this](const std::function<void()>& leave) {
        rig.ChooseFromTray(kAlertsMenuItem);
        Type("输入_流量上限", U"777");
        leave();
        EXPECT_FALSE(Alerts().Visible());
        EXPECT_TRUE(Alerts().Exists());
    };
    typeAndLeave([this] { Alerts().Button("功能_取消").Click(); });
    typeAndLeave([this] { Alerts().PressEscape(); });
    typeAndLeave([this] { Alerts().RequestClose(); });
    EXPECT_EQ(rig.SettingsText(), before);
    EXPECT_TRUE(rig.desktop.messages.empty());
    rig.ChooseFromTray(kAlertsMenuItem);
    EXPECT_EQ(Box("输入_流量上限").Text(), "0");
}

}  // namespace
}  // namespace quorell
