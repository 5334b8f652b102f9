// The arithmetic both front ends draw with: where controls lie and what a press takes hold of, how a chart
// is laid out, how a label fits its text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/layouts/layouts.h"
#include "ui_model/chart_layout.h"
#include "ui_model/control_places.h"
#include "ui_model/label_fit.h"
#include "ui_model/ui_model.h"

namespace quorell {
namespace {

std::string NameAt(const Window& window, Point point) {
    const Hit hit = HitTest(window, point);
    return hit.control == nullptr ? "<surface>" : hit.control->Name();
}

TEST(HitTest, MonitorWindowDragsByItsStripsAndLabelsButNotByItsGraph) {
    Window cpu(CpuMonitorLayout());
    cpu.Create();
    // The title strip and its label, the close mark, the gap between the strips, a status label.
    for (const Point point : {Point{1, 1}, Point{150, 10}, Point{290, 10}, Point{150, 20}, Point{40, 130}}) {
        EXPECT_EQ(HitTest(cpu, point).area, HitArea::Caption) << point.x << "," << point.y;
    }
    EXPECT_EQ(NameAt(cpu, {290, 10}), "功能_关闭窗口");
    EXPECT_EQ(NameAt(cpu, {150, 10}), "标签5");
    EXPECT_EQ(NameAt(cpu, {150, 20}), "<surface>");
    EXPECT_EQ(NameAt(cpu, {40, 130}), "显示_当前Cpu使用率");
    // The graph, border included, keeps the press.
    for (const Point point : {Point{0, 21}, Point{150, 70}, Point{301, 122}}) {
        EXPECT_EQ(HitTest(cpu, point).area, HitArea::Client) << point.x << "," << point.y;
        EXPECT_EQ(NameAt(cpu, point), "画板_Cpu");
    }
}

TEST(HitTest, BorderedWindowsAreMovedByTheirTitleBarOnly) {
    Window main(MainWindowLayout());
    main.Create();
    EXPECT_EQ(HitTest(main, {300, 110}).area, HitArea::Client);
    EXPECT_EQ(NameAt(main, {300, 110}), "标签8");
    EXPECT_EQ(HitTest(main, {2, 2}).area, HitArea::Client);
    // A button inside a group box lies at the sum of both places.
    const Rect trend = PlaceInClient(main, main.Button("功能_查看统计"));
    EXPECT_EQ(trend, (Rect{421, 24, 90, 24}));
    EXPECT_EQ(NameAt(main, {425, 30}), "功能_查看统计");
}

TEST(HitTest, OnlyTheCurrentTabPageCounts) {
    Window trend(TrendWindowLayout());
    trend.Create();
    auto& tab = trend.TabControl("选择夹1");
    EXPECT_EQ(NameAt(trend, {100, 220}), "Cpu_全部时间");
    EXPECT_FALSE(OnCurrentPage(trend, trend.Label("接收_最高")));
    tab.SelectPage(3);
    EXPECT_EQ(NameAt(trend, {100, 220}), "接收_最高");
    EXPECT_TRUE(OnCurrentPage(trend, trend.Label("接收_最高")));
    EXPECT_FALSE(OnCurrentPage(trend, trend.LineChart("Cpu_全部时间")));
    EXPECT_EQ(PageHolder(trend, trend.Label("接收_最高")), &tab);
    EXPECT_EQ(PageHolder(trend, tab), nullptr);
}

ChartTextMetrics SixPixelDigits() {
    ChartTextMetrics metrics;
    metrics.titleHeight = 14;
    metrics.labelHeight = 12;
    metrics.labelWidth = [](std::string_view text) { return static_cast<int>(text.size()) * 6; };
    return metrics;
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

TEST(ChartLayout, SeriesGridAndLabelsShareThePlotAndStayInTheChart) {
    const Rect bounds{0, 24, 488, 90};
    std::array<double, 24> values{};
    values[0] = 0;
    values[1] = 100;
    values[2] = 50;
    values[3] = 250;  // above the maximum: drawn on the top line, not outside the chart
    const ChartLayout layout = LayOutChart(bounds, 100, values, SixPixelDigits());
    const Rect& plot = layout.plot;
    ASSERT_TRUE(Inside(plot, bounds));
    EXPECT_GE(plot.top, layout.title.Bottom());

    EXPECT_EQ(layout.hourLines.front(), plot.left);
    EXPECT_EQ(layout.hourLines.back(), plot.left + plot.width - 1);
    EXPECT_EQ(layout.valueLines.front(), plot.top + plot.height - 1);
    EXPECT_EQ(layout.valueLines.back(), plot.top);
    for (std::size_t hour = 0; hour < 24; ++hour) {
        EXPECT_EQ(layout.points[hour].x, layout.hourLines[hour]);
        if (hour > 0) {
            EXPECT_GT(layout.hourLines[hour], layout.hourLines[hour - 1]);
        }
    }
    EXPECT_EQ(layout.points[0].y, layout.valueLines.front());
    EXPECT_EQ(layout.points[1].y, layout.valueLines.back());
    EXPECT_NEAR(layout.points[2].y, (layout.valueLines.front() + layout.valueLines.back()) / 2.0, 1.0);
    EXPECT_EQ(layout.points[3].y, plot.top);

    ASSERT_EQ(layout.hourLabels.size(), 24u);
    EXPECT_EQ(layout.hourLabels.front().text, "0");
    EXPECT_EQ(layout.hourLabels.back().text, "23");
    std::vector<std::string> values5;
    for (const ChartText& label : layout.valueLabels) {
        values5.push_back(label.text);
        EXPECT_TRUE(Inside(label.box, bounds)) << label.text;
        EXPECT_LE(label.box.Right(), plot.left);
    }
    EXPECT_EQ(values5, (std::vector<std::string>{"0", "20", "40", "60", "80", "100"}));
    for (const ChartText& label : layout.hourLabels) {
        EXPECT_TRUE(Inside(label.box, bounds)) << label.text;
        EXPECT_GE(label.box.top, plot.Bottom());
    }
}

TEST(ChartLayout, ZeroMaximumShowsAsZeroToOneAndOddMaximaKeepTheirDecimals) {
    std::array<double, 24> values{};
    values[5] = 1;
    const ChartLayout zero = LayOutChart({0, 0, 488, 120}, 0, values, SixPixelDigits());
    EXPECT_EQ(zero.valueLabels.front().text, "0");
    EXPECT_EQ(zero.valueLabels[1].text, "0.2");
    EXPECT_EQ(zero.valueLabels.back().text, "1");
    EXPECT_EQ(zero.points[5].y, zero.plot.top);

    const ChartLayout odd = LayOutChart({0, 0, 488, 120}, 7, values, SixPixelDigits());
    EXPECT_EQ(odd.valueLabels[1].text, "1.4");
    EXPECT_EQ(odd.valueLabels.back().text, "7");

    // A chart far too small for its texts still gets a plot the right way round.
    const ChartLayout tiny = LayOutChart({0, 0, 10, 10}, 100, values, SixPixelDigits());
    EXPECT_GE(tiny.plot.width, 2);
    EXPECT_GE(tiny.plot.height, 2);
}

TEST(LabelFit, TooWideTextIsNarrowedToHalfThenKeepsItsLastCharacters) {
    EXPECT_EQ(NarrowingPercent(32, 32), 100);
    EXPECT_EQ(NarrowingPercent(40, 32), 80);
    EXPECT_EQ(NarrowingPercent(200, 32), 50);
    EXPECT_EQ(NarrowingPercent(0, 0), 100);
    // Still 40 pixels at half width in a 32-pixel box: the first 8 pixels fall off the left edge.
    EXPECT_EQ(TextLeft(TextAlign::Right, 40, 32), -8);
    EXPECT_EQ(TextLeft(TextAlign::Right, 20, 32), 12);
    EXPECT_EQ(TextLeft(TextAlign::Left, 40, 32), 0);

    // The toolkit measures; the text is measured again in the narrowed font, whose width may not scale
    // exactly, and placed by what was measured last.
    std::vector<int> asked;
    const auto measure = [&](int percent) {
        asked.push_back(percent);
        return percent == 100 ? 40.0 : 34.0;
    };
    const LabelFit narrowed = FitLabel(TextAlign::Right, 32, measure);
    EXPECT_EQ(asked, (std::vector<int>{100, 80}));
    EXPECT_EQ(narrowed.percent, 80);
    EXPECT_EQ(narrowed.width, 34);
    EXPECT_EQ(narrowed.left, -2);
    asked.clear();
    const LabelFit fits = FitLabel(TextAlign::Right, 64, measure);
    EXPECT_EQ(asked, (std::vector<int>{100}));
    EXPECT_EQ(fits.left, 24);
    // A right edge stays put to the fraction of a pixel where the toolkit places text that finely.
    EXPECT_DOUBLE_EQ(FitLabel(TextAlign::Right, 32, [](int) { return 31.25; }).left, 0.75);
    EXPECT_EQ(OneLine("12\r\n34\n"), "12  34 ");
}

}  // namespace
}  // namespace quorell
