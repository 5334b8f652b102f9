#include "app/layouts/layout_parts.h"
#include "app/layouts/layouts.h"
#include "ui_model/control_names.h"

namespace quorell {

namespace {

using layout::Captioned;
using layout::LabelAt;

ControlDesign TrayMenu() {
    ControlDesign menu;
    menu.kind = ControlKind::Menu;
    menu.name = names::kTrayMenu;
    menu.items = {
        {"隐藏软件界面", false},
        {"", true},
        {"显示 Cpu 监控", false},
        {"显示 内存 监控", false},
        {"显示 接收 监控", false},
        {"显示 发送 监控", false},
        {"", true},
        {"显示趋势统计窗口", false},
        // Checkable; their marks show the truth when the menu is first shown.
        {.caption = "开机自动启动", .checkable = true},
        {.caption = "全屏时隐藏监控", .checkable = true},
        {"提醒设置...", false},
        {"", true},
        {"退出Velkor资源监控器", false},
    };
    return menu;
}

}  // namespace

WindowDesign MainWindowLayout() {
    WindowDesign design;
    design.kind = WindowKind::Main;
    design.title = std::string("Quorell V 1.0 (") + kMakerCredit + ")";
    design.size = {530, 279};
    design.flags.border = BorderStyle::FixedSingle;
    design.flags.visibleAtStart = true;
    design.flags.inTaskBar = true;
    design.flags.alwaysOnTop = false;
    design.flags.dragAnywhere = false;
    design.flags.escCloses = true;
    design.flags.icon = WindowIcon::Application;

    auto& c = design.controls;
    c.push_back(Captioned(ControlKind::GroupBox, "分组框1", "", {5, 8, 515, 48}, "基础操作"));
    c.push_back(
        Captioned(ControlKind::Button, std::string(names::kOpenCpuButton), "", {8, 24, 90, 24}, "Cpu使用率监控"));
    c.push_back(
        Captioned(ControlKind::Button, std::string(names::kOpenMemoryButton), "", {112, 24, 96, 24}, "内存使用率监控"));
    c.push_back(
        Captioned(ControlKind::Button, std::string(names::kOpenReceiveButton), "", {217, 24, 90, 24}, "网络接收监控"));
    c.push_back(
        Captioned(ControlKind::Button, std::string(names::kOpenSendButton), "", {320, 24, 90, 24}, "网络发送监控"));
    c.push_back(Captioned(ControlKind::Button, std::string(names::kOpenTrendButton), "分组框1", {416, 16, 90, 24},
                          "查看趋势统计"));

    const std::string legend = "分组框2";
    c.push_back(Captioned(ControlKind::GroupBox, legend, "", {5, 56, 256, 100}, "资源监控表绘图颜色说明"));
    c.push_back(LabelAt("标签1", legend, {11, 16, 240, 16}, "墨绿色: 30% 以下的绘图颜色,属于正常颜色!", 0x008000));
    c.push_back(LabelAt("标签2", legend, {11, 32, 240, 16}, "天蓝色: 50% 以下的绘图颜色,属于普通颜色!", 0x0088FF));
    c.push_back(LabelAt("标签3", legend, {11, 48, 240, 16}, "深灰色: 80% 以下的绘图颜色,属于提醒颜色!", 0x606060));
    c.push_back(LabelAt("标签4", legend, {11, 64, 240, 16}, "橙色色: 90% 以下的绘图颜色,属于警告颜色!", 0xFF8000));
    c.push_back(LabelAt("标签5", legend, {11, 80, 240, 16}, "大红色: 90% 以上的绘图颜色,属于危险颜色!", colours::kRed));

    const std::string about = "分组框3";
    c.push_back(Captioned(ControlKind::GroupBox, about, "", {264, 56, 256, 100}, "资源监控页内容说明"));
    c.push_back(LabelAt("标签6", about, {8, 16, 240, 16}, "Cpu监控页面: 整体按照百分比计算Cpu使用率!"));
    c.push_back(LabelAt("标签7", about, {8, 32, 240, 16}, "内存监控页面: 按照百分比与Mb计算内存使用!"));
    c.push_back(LabelAt("标签8", about, {8, 48, 240, 16}, "接收与发送: 按照每秒网络使用Kb计算使用率!"));
    c.push_back(LabelAt("标签9", about, {8, 64, 240, 16}, "所有图表: 均按照当前统计的百分比绘制!"));
    c.push_back(LabelAt("标签10", about, {8, 80, 240, 16}, "提示: 为防止您误关统计,所有关闭必须双击!"));

    const std::string settings = "分组框4";
    c.push_back(Captioned(ControlKind::GroupBox, settings, "", {5, 157, 515, 43}, "软件整体设置"));
    c.push_back(Captioned(ControlKind::CheckBox, std::string(names::kTransparencyBox), settings, {11, 19, 136, 16},
                          "启动图表透明 [推荐]"));
    c.push_back(LabelAt("标签11", settings, {155, 18, 112, 16}, "您的网络带宽(速度)"));
    ControlDesign bandwidth =
        Captioned(ControlKind::EditBox, std::string(names::kBandwidthBox), settings, {275, 17, 32, 20}, "2");
    bandwidth.background = colours::kWhite;
    bandwidth.filter = EditFilter::DigitsAndMinus;
    c.push_back(bandwidth);
    c.push_back(LabelAt("标签12", settings, {320, 18, 187, 16}, "Mb (此处请您务必填写真实带宽!)"));

    const std::string credits = "分组框5";
    c.push_back(Captioned(ControlKind::GroupBox, credits, "", {5, 200, 515, 48}, "版权信息"));
    c.push_back(
        LabelAt("标签13", credits, {8, 12, 499, 16},
                std::string("作者: ") + kMakerCredit + "  主页: " + kMakerWebAddress + "  最后更新: 2026年12月7日",
                colours::kBlue));

    c.push_back(TrayMenu());
    return design;
}

}  // namespace quorell
