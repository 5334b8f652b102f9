#include "app/alert_settings.h"
#include "app/layouts/layout_parts.h"
#include "app/layouts/layouts.h"
#include "ui_model/control_names.h"

namespace quorell {

namespace {

using layout::Captioned;
using layout::LabelAt;

ControlDesign NumberBox(std::string_view name, std::string container, Rect rect) {
    ControlDesign box = Captioned(ControlKind::EditBox, std::string(name), std::move(container), rect, "");
    box.background = colours::kWhite;
    box.filter = EditFilter::Digits;
    return box;
}

// The allowance group: the limit in MB and the day its month starts, with the hint that 0 turns it off.
void AddAllowance(std::vector<ControlDesign>& c) {
    const std::string group = "分组框1";
    c.push_back(Captioned(ControlKind::GroupBox, group, "", {6, 6, 344, 68}, "每月流量"));
    c.push_back(LabelAt("标签1", group, {10, 21, 72, 16}, "每月流量上限"));
    c.push_back(NumberBox(names::kAllowanceBox, group, {84, 19, 64, 20}));
    c.push_back(LabelAt("标签2", group, {152, 21, 24, 16}, "MB"));
    c.push_back(LabelAt("标签3", group, {190, 21, 40, 16}, "结算日"));
    c.push_back(NumberBox(names::kSettlementDayBox, group, {232, 19, 28, 20}));
    c.push_back(LabelAt("标签4", group, {264, 21, 72, 16}, "日 (1-28)"));
    c.push_back(
        LabelAt("标签5", group, {10, 45, 326, 16}, "上限填 0 表示不限流量; 每期从结算日 0 点算起。", colours::kBlue));
}

// One row per measured value: "<name>持续高于 [N] <unit> 达 [S] 秒", the check box carrying the name, so
// the boxes, units and seconds stand in aligned columns.
void AddStayingHighRules(std::vector<ControlDesign>& c) {
    const std::string group = "分组框2";
    c.push_back(Captioned(ControlKind::GroupBox, group, "", {6, 80, 344, 128}, "持续高占用提醒"));
    int label = 6;
    for (AlertMetric metric : kAlertMetrics) {
        const names::AlertRuleNames& rule = names::kAlertRules[IndexOf(metric)];
        const int y = 20 + 25 * static_cast<int>(IndexOf(metric));
        c.push_back(Captioned(ControlKind::CheckBox, std::string(rule.switchBox), group, {10, y + 1, 104, 18},
                              std::string(AlertMetricName(metric)) + "持续高于"));
        c.push_back(NumberBox(rule.lineBox, group, {116, y, 64, 20}));
        c.push_back(LabelAt("标签" + std::to_string(label++), group, {184, y + 2, 32, 16},
                            std::string(AlertMetricUnit(metric))));
        c.push_back(LabelAt("标签" + std::to_string(label++), group, {218, y + 2, 16, 16}, "达"));
        c.push_back(NumberBox(rule.secondsBox, group, {236, y, 40, 20}));
        c.push_back(LabelAt("标签" + std::to_string(label++), group, {280, y + 2, 56, 16}, "秒"));
    }
}

}  // namespace

WindowDesign AlertsWindowLayout() {
    WindowDesign design;
    design.kind = WindowKind::Alerts;
    design.title = "提醒设置";
    design.size = {362, 274};
    // A settings form: framed, fixed, in the task bar while open, never over the user's other windows.
    design.flags = {
        .border = BorderStyle::FixedSingle, .inTaskBar = true, .escCloses = true, .icon = WindowIcon::Application};

    auto& c = design.controls;
    AddAllowance(c);
    AddStayingHighRules(c);
    c.push_back(
        Captioned(ControlKind::Button, std::string(names::kAlertsConfirmButton), "", {190, 216, 75, 24}, "确定"));
    c.push_back(
        Captioned(ControlKind::Button, std::string(names::kAlertsCancelButton), "", {274, 216, 75, 24}, "取消"));
    return design;
}

}  // namespace quorell
