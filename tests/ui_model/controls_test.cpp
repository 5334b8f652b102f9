#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui_model/ui_model.h"

namespace quorell {
namespace {

ControlDesign Named(ControlKind kind, std::string name) {
    ControlDesign design;
    design.kind = kind;
    design.name = std::move(name);
    return design;
}

class ControlsTest : public ::testing::Test {
protected:
    static WindowDesign Design() {
        WindowDesign design;
        ControlDesign edit = Named(ControlKind::EditBox, "输入_网络带宽");
        edit.filter = EditFilter::DigitsAndMinus;
        design.controls.push_back(edit);
        design.controls.push_back(Named(ControlKind::CheckBox, "选择_是否透明"));
        design.controls.push_back(Named(ControlKind::PictureBox, "功能_关闭窗口"));
        design.controls.push_back(Named(ControlKind::Button, "功能_打开Cpu使用"));
        design.controls.push_back(Named(ControlKind::DrawPanel, "画板_Cpu"));
        design.controls.push_back(Named(ControlKind::LineChart, "Cpu_最近24小时"));
        ControlDesign tab = Named(ControlKind::TabControl, "选择夹1");
        tab.pages = {"a", "b", "c", "d"};
        design.controls.push_back(tab);
        ControlDesign menu = Named(ControlKind::Menu, "右键菜单");
        menu.items = {{"隐藏软件界面", false}, {"", true}, {"显示 Cpu 监控", false}, {.caption = "开机", .checkable = true}};
        design.controls.push_back(menu);
        return design;
    }
    void SetUp() override { window.Create(); }
    Window window{Design()};
};

TEST_F(ControlsTest, TypingRaisesOneContentChangeForEveryAcceptedCharacter) {
    EditBox& edit = window.EditBox("输入_网络带宽");
    std::vector<std::string> seen;
    edit.BindContentChanged([&] { seen.push_back(edit.Text()); });
    EXPECT_TRUE(edit.TypeCharacter(U'1'));
    EXPECT_FALSE(edit.TypeCharacter(U'a'));
    EXPECT_FALSE(edit.TypeCharacter(U'.'));
    EXPECT_FALSE(edit.TypeCharacter(U'兆'));
    EXPECT_TRUE(edit.TypeCharacter(U'5'));
    EXPECT_TRUE(edit.TypeCharacter(U'-'));
    EXPECT_TRUE(edit.TypeCharacter(8));     // backspace
    EXPECT_TRUE(edit.TypeCharacter(0x16));  // other control characters pass and change nothing
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "15", "15-", "15"}));
}

TEST_F(ControlsTest, SetTextBypassesTheFilterAndBackspaceRemovesWholeCharacters) {
    EditBox& edit = window.EditBox("输入_网络带宽");
    int changes = 0;
    edit.BindContentChanged([&] { ++changes; });
    edit.SetText("2兆");
    edit.SetText("2兆");  // unchanged: no event
    EXPECT_EQ(changes, 1);
    edit.TypeCharacter(8);
    EXPECT_EQ(edit.Text(), "2");
    edit.TypeCharacter(8);
    edit.TypeCharacter(8);  // nothing left to delete
    EXPECT_EQ(edit.Text(), "");
    EXPECT_EQ(changes, 3);
    edit.SetText("9\xF0\x9F\x98\x80");  // beyond the basic plane: four bytes, one character
    edit.TypeCharacter(8);
    EXPECT_EQ(edit.Text(), "9");
}

TEST_F(ControlsTest, CheckBoxClickFlipsTheTickBeforeItsHandlerRuns) {
    CheckBox& box = window.CheckBox("选择_是否透明");
    std::vector<bool> seen;
    box.BindClicked([&] { seen.push_back(box.Checked()); });
    box.Click();
    box.Click();
    box.SetChecked(true);  // a program change raises no clicked event
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_TRUE(box.Checked());
}

TEST_F(ControlsTest, PictureBoxAnswersOnlyDoubleClicks) {
    int doubleClicks = 0;
    window.PictureBox("功能_关闭窗口").BindDoubleClicked([&](int, int, int) { ++doubleClicks; });
    window.PictureBox("功能_关闭窗口").Click();
    EXPECT_EQ(doubleClicks, 0);
    window.PictureBox("功能_关闭窗口").DoubleClick(3, 4, 0);
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(ControlsTest, MenuItemsChangeCaptionsAndCheckMarksAndSelectButNotSeparators) {
    PopupMenu& menu = window.Menu("右键菜单");
    std::vector<std::string> captionChanges;
    int selections = 0;
    const Subscription captions = menu.Subscribe([&](const MenuCaptionChange& c) {
        captionChanges.push_back(std::to_string(c.position) + ":" + std::string(c.caption));
    });
    std::vector<std::string> checkChanges;
    const Subscription checks = menu.SubscribeChecks([&](const MenuCheckChange& c) {
        checkChanges.push_back(std::to_string(c.position) + (c.checked ? ":on" : ":off"));
    });
    ASSERT_EQ(menu.ItemCount(), 4u);
    for (const bool checked : {true, true, false}) {
        menu.Item(4).SetChecked(checked);
    }
    menu.Item(3).SetChecked(true);  // not checkable: never shows a mark
    menu.Item(3).SetCaption("隐藏 Cpu 监控");
    menu.Item(3).SetCaption("隐藏 Cpu 监控");
    menu.Item(2).SetCaption("x");
    menu.Item(2).BindSelected([&] { ++selections; });
    menu.Item(2).Select();
    menu.Item(1).BindSelected([&] { ++selections; });
    menu.Item(1).Select();
    EXPECT_EQ(menu.Item(3).Caption(), "隐藏 Cpu 监控");
    EXPECT_EQ(menu.Item(2).Caption(), "");
    EXPECT_EQ(captionChanges, std::vector<std::string>{"3:隐藏 Cpu 监控"});
    EXPECT_EQ(checkChanges, (std::vector<std::string>{"4:on", "4:off"}));
    EXPECT_FALSE(menu.Item(3).Checked());
    EXPECT_EQ(selections, 1);
    EXPECT_THROW(menu.Item(0), std::out_of_range);
    EXPECT_THROW(menu.Item(5), std::out_of_range);
}

TEST_F(ControlsTest, InputControlsReportTheirNewValues) {
    std::vector<std::string> seen;
    const Subscription text = window.EditBox("输入_网络带宽").Subscribe([&](const TextChange& c) {
        seen.push_back("text " + std::string(c.text));
    });
    const Subscription tick = window.CheckBox("选择_是否透明").Subscribe([&](const CheckChange& c) {
        seen.push_back(c.checked ? "ticked" : "cleared");
    });
    const Subscription page = window.TabControl("选择夹1").Subscribe(
        [&](const PageChange& c) { seen.push_back("page " + std::to_string(c.page)); });
    window.Create();
    window.EditBox("输入_网络带宽").TypeCharacter(U'4');
    window.CheckBox("选择_是否透明").Click();
    window.CheckBox("选择_是否透明").SetChecked(true);  // unchanged
    window.TabControl("选择夹1").SelectPage(2);
    window.TabControl("选择夹1").SelectPage(9);  // no such page
    EXPECT_EQ(seen, (std::vector<std::string>{"text 4", "ticked", "page 2"}));
}

TEST_F(ControlsTest, TabControlSelectsOnlyExistingPages) {
    TabControl& tab = window.TabControl("选择夹1");
    EXPECT_EQ(tab.CurrentPage(), 1);
    tab.SelectPage(3);
    tab.SelectPage(0);
    tab.SelectPage(5);
    EXPECT_EQ(tab.CurrentPage(), 3);
}

TEST(ControlsBeforeCreation, RaiseNoEvents) {
    WindowDesign design;
    design.controls.push_back(Named(ControlKind::Button, "b"));
    design.controls.push_back(Named(ControlKind::EditBox, "e"));
    Window window(design);
    int events = 0;
    window.Button("b").BindClicked([&] { ++events; });
    window.EditBox("e").BindContentChanged([&] { ++events; });
    window.Button("b").Click();
    window.EditBox("e").SetText("9");
    EXPECT_EQ(events, 0);
    EXPECT_EQ(window.EditBox("e").Text(), "9");
}

}  // namespace
}  // namespace quorell
