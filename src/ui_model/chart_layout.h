#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui_model/geometry.h"
#include "ui_model/line_chart.h"

namespace quorell {

// The arithmetic of a trend line chart, apart from any drawing: where the title, the plot area, the grid,
// the axis labels and the 24 points of the series go inside the chart's rectangle. The hour axis runs
// 0..23, the value axis 0..maximum in five divisions (a zero maximum shows as 0..1).

// The character heights, in design pixels, that the chart's texts are laid out for: a bold title in the
// windows' text size and smaller axis labels.
inline constexpr int kChartTitlePixels = 11;
inline constexpr int kChartAxisPixels = 9;

// How big the texts come out in the chart's fonts.
struct ChartTextMetrics {
    int titleHeight = 0;
    int labelHeight = 0;                              // an axis label's line height
    std::function<int(std::string_view)> labelWidth;  // an axis label's width
};

struct ChartText {
    std::string text;
    Rect box;  // the text is drawn centred in this box
};

struct ChartLayout {
    Rect title;
    Rect plot;                                                 // the grid's outer lines lie on its edges
    std::array<int, LineChartModel::kPointCount> hourLines{};  // x of each hour's vertical grid line
    std::array<int, 6> valueLines{};                           // y of the grid lines for 0, 1/5 ... 5/5 of the top
    std::array<Point, LineChartModel::kPointCount> points{};   // the series, inside the plot area
    std::vector<ChartText> hourLabels;                         // "0" .. "23" under the plot
    std::vector<ChartText> valueLabels;                        // bottom to top, left of the plot
};

// The top of the value axis: the chart's maximum, or 1 when the maximum is zero.
int AxisTop(int maximum);

// A value axis label: whole values as integers, others with one decimal.
std::string ValueLabel(double value);

ChartLayout LayOutChart(const Rect& bounds, int maximum, const std::array<double, LineChartModel::kPointCount>& values,
                        const ChartTextMetrics& metrics);

}  // namespace quorell
