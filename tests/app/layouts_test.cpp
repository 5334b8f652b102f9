#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "app/layouts/layouts.h"
#include "ui_model/ui_model.h"

namespace quorell {
namespace {

constexpr auto kAllKinds = kAllWindowKinds;

bool HoldsControls(ControlKind kind) {
    return kind == ControlKind::ShapeBox || kind == ControlKind::GroupBox || kind == ControlKind::TabControl;
}

// Every control lies inside its container (the window's outer size for the window's own controls),
// names are unique, and a container is declared before what it holds.
TEST(Layouts, EveryControlFitsItsDeclaredContainer) {
    for (WindowKind kind : kAllKinds) {
        const WindowDesign design = LayoutOf(kind);
        EXPECT_EQ(design.kind, kind);
        std::map<std::string, ControlDesign> seen;
        for (const ControlDesign& c : design.controls) {
            SCOPED_TRACE(design.title + " / " + c.name);
            EXPECT_TRUE(seen.find(c.name) == seen.end()) << "duplicate name";
            if (c.kind == ControlKind::Timer || c.kind == ControlKind::Menu) {
                seen[c.name] = c;
                continue;
            }
            Size room = design.size;
            if (!c.container.empty()) {
                auto holder = seen.find(c.container);
                ASSERT_TRUE(holder != seen.end()) << "container declared later or missing";
                EXPECT_TRUE(HoldsControls(holder->second.kind));
                EXPECT_EQ(c.page.has_value(), holder->second.kind == ControlKind::TabControl);
                if (c.page) {
                    EXPECT_GE(*c.page, 1);
                    EXPECT_LE(*c.page, static_cast<int>(holder->second.pages.size()));
                }
                room = {holder->second.rect.width, holder->second.rect.height};
            }
            EXPECT_GE(c.rect.left, 0);
            EXPECT_GE(c.rect.top, 0);
            EXPECT_LE(c.rect.Right(), room.width);
            EXPECT_LE(c.rect.Bottom(), room.height);
            seen[c.name] = c;
        }
        Window window(design);  // builds: no duplicate names, every kind known
        EXPECT_EQ(window.OuterSize(), design.size);
    }
}

TEST(Layouts, MonitorWindowsFloatBorderlessAndHidden) {
    for (WindowKind kind :
         {WindowKind::CpuMonitor, WindowKind::MemoryMonitor, WindowKind::ReceiveMonitor, WindowKind::SendMonitor}) {
        const WindowDesign design = LayoutOf(kind);
        EXPECT_EQ(design.size, (Size{302, 142}));
        EXPECT_EQ(design.flags.border, BorderStyle::None);
        EXPECT_TRUE(design.flags.alwaysOnTop && design.flags.dragAnywhere && design.flags.escCloses);
        EXPECT_FALSE(design.flags.visibleAtStart || design.flags.inTaskBar);
        EXPECT_EQ(design.flags.icon == WindowIcon::Application,
                  kind == WindowKind::CpuMonitor || kind == WindowKind::MemoryMonitor);
        Window window(design);
        // Value labels keep their right edge as their text grows; text labels are left-aligned.
        for (const auto& control : window.Controls()) {
            if (control->Kind() == ControlKind::Label) {
                const bool value = control->Name().rfind("显示_", 0) == 0;
                EXPECT_EQ(static_cast<Label&>(*control).Align(), value ? TextAlign::Right : TextAlign::Left)
                    << control->Name();
            }
        }
    }
}

TEST(Layouts, MonitorNamesAndInitialTexts) {
    Window cpu(CpuMonitorLayout());
    EXPECT_EQ(cpu.Title(), "Velkor - Quorell - Cpu使用率监控");
    EXPECT_EQ(cpu.Label("显示_最高Cpu使用率").TextColour(), 0xFF0000u);
    EXPECT_EQ(cpu.Label("显示_Cpu最高时间").Text(), "0:0:0");
    EXPECT_EQ(cpu.Timer("时钟_Cpu").IntervalMs(), 1000);
    EXPECT_EQ(cpu.DrawPanel("画板_Cpu").Geometry(), (Rect{0, 21, 302, 102}));
    EXPECT_EQ(cpu.ShapeBox("外形框2").Fill(), std::optional<Rgb>(0xFFFFFF));
    EXPECT_EQ(cpu.ShapeBox("外形框1").Fill(), std::nullopt);

    Window memory(MemoryMonitorLayout());
    EXPECT_EQ(memory.Label("显示_当前内存").Text(), "0M");
    EXPECT_EQ(memory.Label("显示_平均内存").Text(), "0%");
    EXPECT_EQ(memory.Timer("时钟_内存").IntervalMs(), 1000);

    Window receive(ReceiveMonitorLayout());
    Window send(SendMonitorLayout());
    EXPECT_EQ(receive.Label("标签5").Text(), "Velkor - Quorell - 网络接收监控");
    EXPECT_EQ(send.Label("标签5").Text(), "Quorell - 网络发送监控");
    EXPECT_EQ(send.Label("显示_平均流量").Geometry(), (Rect{269, 1, 32, 16}));
    EXPECT_EQ(send.Label("标签1").Text(), "发送: ");
    EXPECT_NO_THROW(receive.DrawPanel("画板_Lan"));
    EXPECT_NO_THROW(send.Timer("时钟_Lan"));
}

TEST(Layouts, MainWindowHoldsTheSettingsAndTheTrayMenu) {
    Window main(MainWindowLayout());
    EXPECT_EQ(main.OuterSize(), (Size{530, 279}));
    EXPECT_TRUE(main.Flags().visibleAtStart && main.Flags().inTaskBar);
    EXPECT_EQ(main.Title().rfind("Quorell V 1.0 (", 0), 0u);
    EXPECT_EQ(main.EditBox("输入_网络带宽").Text(), "2");
    EXPECT_EQ(main.EditBox("输入_网络带宽").Filter(), EditFilter::DigitsAndMinus);
    EXPECT_FALSE(main.CheckBox("选择_是否透明").Checked());
    EXPECT_EQ(main.Button("功能_查看统计").Container(), "分组框1");
    EXPECT_EQ(main.Label("标签4").TextColour(), 0xFF8000u);  // orange, as the graph draws it
    EXPECT_EQ(main.Label("标签2").TextColour(), 0x0088FFu);  // sky blue

    const PopupMenu& menu = main.Menu("右键菜单");
    ASSERT_EQ(menu.ItemCount(), 13u);
    const std::map<std::size_t, std::string> captions = {
        {1, "隐藏软件界面"},   {3, "显示 Cpu 监控"},        {4, "显示 内存 监控"}, {5, "显示 接收 监控"},
        {6, "显示 发送 监控"}, {8, "显示趋势统计窗口"},     {9, "开机自动启动"},   {10, "全屏时隐藏监控"},
        {11, "提醒设置..."},   {13, "退出Velkor资源监控器"}};
    for (std::size_t position = 1; position <= 13; ++position) {
        auto caption = captions.find(position);
        EXPECT_EQ(menu.Item(position).Separator(), caption == captions.end()) << position;
        if (caption != captions.end()) {
            EXPECT_EQ(menu.Item(position).Caption(), caption->second);
        }
        EXPECT_EQ(menu.Item(position).Checkable(), position == 9 || position == 10) << position;
    }
}

TEST(Layouts, TrendWindowPagesChartsAndTotals) {
    Window trend(TrendWindowLayout());
    EXPECT_EQ(trend.Title(), "Quorell - 趋势统计");
    EXPECT_EQ(trend.TabControl("选择夹1").PageCaptions(),
              (std::vector<std::string>{"Cpu历史统计", "内存历史统计", "接收历史统计", "发送历史统计"}));
    EXPECT_EQ(trend.Timer("时钟_统计流量").IntervalMs(), 1000);
    EXPECT_EQ(trend.Timer("时钟_统计基础").IntervalMs(), 30000);
    std::set<std::string> charts;
    for (const auto& control : trend.Controls()) {
        if (control->Kind() == ControlKind::LineChart) {
            charts.insert(control->Name());
        }
    }
    EXPECT_EQ(charts.size(), 8u);
    EXPECT_EQ(trend.LineChart("接收_全部时间").Geometry(), (Rect{0, 112, 488, 100}));
    EXPECT_EQ(trend.LineChart("Cpu_最近24小时").LineColour(), 0xFF0000u);
    EXPECT_EQ(trend.LineChart("Cpu_全部时间").LineColour(), 0x0000FFu);
    EXPECT_EQ(trend.Label("发送_时间").Text(), "2010年10月10日 10点10分10秒");
    EXPECT_EQ(trend.Label("发送_今年").TextColour(), 0xFF0000u);
    EXPECT_EQ(trend.Label("接收_最高").TextColour(), 0xFF00FFu);
    EXPECT_EQ(trend.Label("标签12").Text(), "今日发送量:");
    EXPECT_EQ(trend.Label("标签8").Text(), "本月发送量:");
    EXPECT_EQ(trend.Label("标签15").Text(), "所有接收量:");
    EXPECT_EQ(trend.Label("接收_平均").Align(), TextAlign::Right);
    EXPECT_EQ(trend.Label("标签15").Page(), std::optional<int>(3));
}

}  // namespace
}  // namespace quorell
