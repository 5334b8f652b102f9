#include "app/layouts/layout_parts.h"
#include "app/layouts/layouts.h"
#include "ui_model/control_names.h"

namespace quorell {

namespace {

using layout::LabelAt;
using layout::OnPage;

const std::string kTab = "选择夹1";

ControlDesign ChartOn(int page, std::string name, Rect rect, std::string title, Rgb line) {
    ControlDesign design;
    design.kind = ControlKind::LineChart;
    design.name = std::move(name);
    design.rect = rect;
    design.text = std::move(title);
    design.textColour = line;
    return OnPage(std::move(design), kTab, page);
}

// The record, average and period totals under the charts of a traffic page.
void AddTrafficGrid(std::vector<ControlDesign>& c, int page, const names::TrendPageNames& names,
                    const std::string& word, const char* const (&captionNames)[8]) {
    struct Row {
        Rect caption;
        std::string captionText;
        std::string_view valueName;
        Rect value;
        std::string initial;
        Rgb colour;
    };
    const Row rows[8] = {
        {{8, 213, 64, 16}, "最高" + word + "量:", names.record, {80, 213, 64, 16}, "0 Kb", colours::kMagenta},
        {{149, 213, 35, 16},
         "时间:",
         names.recordTime,
         {184, 213, 168, 16},
         "2010年10月10日 10点10分10秒",
         colours::kMagenta},
        {{358, 213, 64, 16}, "平均" + word + "量:", names.average, {432, 213, 54, 16}, "0 Kb", colours::kMagenta},
        {{8, 230, 64, 16}, "今日" + word + "量:", names.day, {80, 230, 64, 16}, "0 Mb", colours::kRed},
        {{149, 230, 64, 16}, "本周" + word + "量:", names.week, {221, 230, 83, 16}, "0 Mb", colours::kRed},
        {{312, 230, 64, 16}, "本月" + word + "量:", names.month, {384, 230, 102, 16}, "0 Mb", colours::kRed},
        {{8, 248, 64, 16}, "今年" + word + "量:", names.year, {80, 248, 160, 16}, "0 Mb", colours::kRed},
        {{246, 248, 64, 16}, "所有" + word + "量:", names.all, {320, 248, 166, 16}, "0 Mb", colours::kRed},
    };
    for (int i = 0; i < 8; ++i) {
        const Row& row = rows[i];
        c.push_back(OnPage(LabelAt(captionNames[i], "", row.caption, row.captionText), kTab, page));
        c.push_back(OnPage(
            LabelAt(std::string(row.valueName), "", row.value, row.initial, row.colour, TextAlign::Right), kTab, page));
    }
}

}  // namespace

WindowDesign TrendWindowLayout() {
    WindowDesign design;
    design.kind = WindowKind::Trend;
    design.title = "Quorell - 趋势统计";
    design.size = {500, 300};
    design.flags.border = BorderStyle::FixedSingle;
    design.flags.visibleAtStart = false;
    design.flags.inTaskBar = true;
    design.flags.alwaysOnTop = false;
    design.flags.dragAnywhere = false;
    design.flags.escCloses = true;
    design.flags.icon = WindowIcon::None;

    auto& c = design.controls;
    ControlDesign tab;
    tab.kind = ControlKind::TabControl;
    tab.name = kTab;
    tab.rect = {0, 0, 494, 272};
    tab.pages = {"Cpu历史统计", "内存历史统计", "接收历史统计", "发送历史统计"};
    c.push_back(tab);

    c.push_back(layout::TimerOf(std::string(names::kTrendTrafficTimer), 1000));
    c.push_back(layout::TimerOf(std::string(names::kTrendBaseTimer), 30000, kTab, 1));

    c.push_back(ChartOn(1, std::string(names::kTrendCpuPage.recentChart), {0, 24, 488, 120},
                        "最近24小时 Cpu使用率 趋势图 (百分比)", colours::kRed));
    c.push_back(ChartOn(1, std::string(names::kTrendCpuPage.allTimeChart), {0, 144, 488, 120},
                        "所有时间24小时使用量趋势图 (百分比)", colours::kBlue));
    c.push_back(ChartOn(2, std::string(names::kTrendMemoryPage.recentChart), {0, 24, 488, 120},
                        "最近24小时 内存使用量 趋势图 (百分比)", colours::kRed));
    c.push_back(ChartOn(2, std::string(names::kTrendMemoryPage.allTimeChart), {0, 144, 488, 120},
                        "所有时间24小时使用量趋势图 (百分比)", colours::kBlue));
    c.push_back(ChartOn(3, std::string(names::kTrendReceivePage.recentChart), {0, 24, 488, 90},
                        "最近24小时 网络接收量 趋势图 (Mb)", colours::kRed));
    c.push_back(ChartOn(3, std::string(names::kTrendReceivePage.allTimeChart), {0, 112, 488, 100},
                        "所有时间24小时接收量趋势图 (Mb)", colours::kBlue));
    c.push_back(ChartOn(4, std::string(names::kTrendSendPage.recentChart), {0, 24, 488, 90},
                        "最近24小时 网络发送量 趋势图 (Mb)", colours::kRed));
    c.push_back(ChartOn(4, std::string(names::kTrendSendPage.allTimeChart), {0, 112, 488, 100},
                        "所有时间24小时发送量趋势图 (Mb)", colours::kBlue));

    static const char* const kReceiveCaptions[8] = {"标签1", "标签5",  "标签4",  "标签7",
                                                    "标签9", "标签11", "标签13", "标签15"};
    static const char* const kSendCaptions[8] = {"标签2",  "标签3", "标签6",  "标签12",
                                                 "标签10", "标签8", "标签14", "标签16"};
    AddTrafficGrid(c, 3, names::kTrendReceivePage, "接收", kReceiveCaptions);
    AddTrafficGrid(c, 4, names::kTrendSendPage, "发送", kSendCaptions);
    return design;
}

WindowDesign LayoutOf(WindowKind kind) {
    switch (kind) {
        case WindowKind::Main:
            return MainWindowLayout();
        case WindowKind::CpuMonitor:
            return CpuMonitorLayout();
        case WindowKind::MemoryMonitor:
            return MemoryMonitorLayout();
        case WindowKind::ReceiveMonitor:
            return ReceiveMonitorLayout();
        case WindowKind::SendMonitor:
            return SendMonitorLayout();
        case WindowKind::Trend:
            return TrendWindowLayout();
        case WindowKind::Alerts:
            return AlertsWindowLayout();
    }
    return MainWindowLayout();
}

}  // namespace quorell
