#include "app/layouts/layout_parts.h"
#include "app/layouts/layouts.h"
#include "ui_model/control_names.h"

namespace quorell {

namespace {

using layout::LabelAt;

// What sets one monitor window apart from the others; everything else is shared.
struct MonitorVariant {
    WindowKind kind;
    const char* title;
    WindowIcon icon;
    int titleLabelWidth;
    const char* titleLabel;
    const char* statusCaption;
    int statusCaptionWidth;
    const names::MonitorNames& names;
    const char* currentText;
    const char* highestText;
    const char* averageText;
    Rect averageRect;
};

WindowDesign MonitorLayout(const MonitorVariant& v) {
    WindowDesign design;
    design.kind = v.kind;
    design.title = v.title;
    design.size = {302, 142};
    design.flags.border = BorderStyle::None;
    design.flags.visibleAtStart = false;
    design.flags.inTaskBar = false;
    design.flags.alwaysOnTop = true;
    design.flags.dragAnywhere = true;
    design.flags.escCloses = true;
    design.flags.icon = v.icon;

    const std::string titleStrip = "外形框2";
    const std::string statusStrip = "外形框1";
    constexpr auto kRight = TextAlign::Right;
    auto& c = design.controls;
    c.push_back(layout::ShapeBoxAt(titleStrip, {0, 0, 302, 20}, colours::kWhite));
    c.push_back(LabelAt("标签5", titleStrip, {2, 2, v.titleLabelWidth, 16}, v.titleLabel, colours::kBlack,
                        TextAlign::Left, colours::kWhite));
    ControlDesign closeMark;
    closeMark.kind = ControlKind::PictureBox;
    closeMark.name = names::kCloseMark;
    closeMark.container = titleStrip;
    closeMark.rect = {284, 2, 16, 16};
    closeMark.image = PictureImage::CloseMark;
    c.push_back(closeMark);

    ControlDesign panel;
    panel.kind = ControlKind::DrawPanel;
    panel.name = v.names.drawPanel;
    panel.rect = {0, 21, 302, 102};
    panel.background = colours::kGraphBackground;
    c.push_back(panel);

    c.push_back(layout::ShapeBoxAt(statusStrip, {0, 124, 302, 18}, std::nullopt));
    c.push_back(LabelAt("标签1", statusStrip, {2, 1, v.statusCaptionWidth, 16}, v.statusCaption));
    c.push_back(LabelAt(std::string(v.names.currentLabel), statusStrip, {32, 1, 32, 16}, v.currentText, colours::kBlack,
                        kRight));
    c.push_back(LabelAt("标签2", statusStrip, {69, 1, 29, 16}, "最高: "));
    c.push_back(
        LabelAt(std::string(v.names.peakLabel), statusStrip, {101, 1, 32, 16}, v.highestText, colours::kRed, kRight));
    c.push_back(LabelAt("标签4", statusStrip, {139, 1, 31, 16}, "时间: "));
    c.push_back(
        LabelAt(std::string(v.names.peakTimeLabel), statusStrip, {170, 1, 60, 16}, "0:0:0", colours::kRed, kRight));
    c.push_back(LabelAt("标签3", statusStrip, {234, 1, 30, 16}, "平均: "));
    c.push_back(
        LabelAt(std::string(v.names.averageLabel), statusStrip, v.averageRect, v.averageText, colours::kBlack, kRight));
    c.push_back(layout::TimerOf(std::string(v.names.timer), 1000));
    return design;
}

}  // namespace

WindowDesign CpuMonitorLayout() {
    return MonitorLayout({WindowKind::CpuMonitor,
                          "Velkor - Quorell - Cpu使用率监控",
                          WindowIcon::Application,
                          230,
                          "Quorell - Cpu使用率监控",
                          "Cpu: ",
                          24,
                          names::kCpuMonitor,
                          "0%",
                          "0%",
                          "0%",
                          {264, 1, 36, 16}});
}

WindowDesign MemoryMonitorLayout() {
    return MonitorLayout({WindowKind::MemoryMonitor,
                          "Velkor - Quorell - 内存使用率监控",
                          WindowIcon::Application,
                          238,
                          "Quorell - 内存使用率监控",
                          "内存: ",
                          28,
                          names::kMemoryMonitor,
                          "0M",
                          "0M",
                          "0%",
                          {264, 1, 36, 16}});
}

// The popup menu of the network windows; its items are made each time it pops up.
WindowDesign WithInterfaceMenu(WindowDesign design) {
    ControlDesign menu;
    menu.kind = ControlKind::Menu;
    menu.name = names::kInterfaceMenu;
    design.controls.push_back(menu);
    return design;
}

WindowDesign ReceiveMonitorLayout() {
    return WithInterfaceMenu(MonitorLayout({WindowKind::ReceiveMonitor,
                                            "Velkor - Quorell - 网络接收监控",
                                            WindowIcon::None,
                                            222,
                                            "Velkor - Quorell - 网络接收监控",
                                            "接收: ",
                                            28,
                                            names::kNetworkMonitor,
                                            "0K",
                                            "0K",
                                            "0K",
                                            {269, 1, 32, 16}}));
}

WindowDesign SendMonitorLayout() {
    return WithInterfaceMenu(MonitorLayout({WindowKind::SendMonitor,
                                            "Velkor - Quorell - 网络发送监控",
                                            WindowIcon::None,
                                            222,
                                            "Quorell - 网络发送监控",
                                            "发送: ",
                                            28,
                                            names::kNetworkMonitor,
                                            "0K",
                                            "0K",
                                            "0K",
                                            {269, 1, 32, 16}}));
}

}  // namespace quorell
