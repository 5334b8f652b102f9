#include "ui_model/chart_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quorell {

namespace {

constexpr int kDivisions = 5;
constexpr int kGap = 3;  // between the axis labels and the plot

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

int AxisTop(int maximum) {
    return std::max(1, maximum);
}

std::string ValueLabel(double value) {
    char text[32];
    if (std::abs(value - std::round(value)) < 1e-9) {
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(std::llround(value)));
    } else {
        std::snprintf(text, sizeof text, "%.1f", value);
    }
    return text;
}

ChartLayout LayOutChart(const Rect& bounds, int maximum, const std::array<double, LineChartModel::kPointCount>& values,
                        const ChartTextMetrics& metrics) {
    ChartLayout layout;
    const int top = AxisTop(maximum);

    std::array<std::string, kDivisions + 1> valueTexts;
    int widestValue = 0;
    for (int i = 0; i <= kDivisions; ++i) {
        valueTexts[static_cast<std::size_t>(i)] = ValueLabel(static_cast<double>(top) * i / kDivisions);
        widestValue = std::max(widestValue, metrics.labelWidth(valueTexts[static_cast<std::size_t>(i)]));
    }
    const int lastHourWidth = metrics.labelWidth(std::to_string(LineChartModel::kPointCount - 1));

    layout.title = {bounds.left, bounds.top, bounds.width, metrics.titleHeight + 2};
    // Half a label's height above the top grid line and beside the last hour line, so that the labels
    // centred on them stay inside the chart.
    const int plotLeft = bounds.left + widestValue + kGap + 2;
    const int plotTop = static_cast<int>(layout.title.Bottom()) + metrics.labelHeight / 2;
    const int plotRight = static_cast<int>(bounds.Right()) - std::max(lastHourWidth / 2 + 2, 6);
    const int plotBottom = static_cast<int>(bounds.Bottom()) - metrics.labelHeight - kGap;
    // A chart too small for its texts still gets a plot of a few pixels rather than an inverted one.
    layout.plot = {plotLeft, plotTop, std::max(plotRight - plotLeft, 2), std::max(plotBottom - plotTop, 2)};
    const Rect& plot = layout.plot;
    const int lastY = plot.top + plot.height - 1;

    for (int hour = 0; hour < LineChartModel::kPointCount; ++hour) {
        const int x =
            plot.left + Round(static_cast<double>(hour) * (plot.width - 1) / (LineChartModel::kPointCount - 1));
        layout.hourLines[static_cast<std::size_t>(hour)] = x;
        const std::string text = std::to_string(hour);
        const int width = metrics.labelWidth(text);
        layout.hourLabels.push_back({text, {x - width / 2 - 1, lastY + 1 + kGap, width + 2, metrics.labelHeight}});
        const double share = values[static_cast<std::size_t>(hour)] / top;
        const int y = lastY - Round(std::clamp(share, 0.0, 1.0) * (plot.height - 1));
        layout.points[static_cast<std::size_t>(hour)] = {x, y};
    }
    for (int i = 0; i <= kDivisions; ++i) {
        const int y = lastY - Round(static_cast<double>(i) * (plot.height - 1) / kDivisions);
        layout.valueLines[static_cast<std::size_t>(i)] = y;
        const std::string& text = valueTexts[static_cast<std::size_t>(i)];
        const int width = metrics.labelWidth(text);
        layout.valueLabels.push_back(
            {text, {plot.left - kGap - width, y - metrics.labelHeight / 2, width, metrics.labelHeight}});
    }
    return layout;
}

}  // namespace quorell
