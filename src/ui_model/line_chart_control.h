#pragma once

#include <string>

#include "ui_model/colour.h"
#include "ui_model/control.h"
#include "ui_model/line_chart.h"

namespace quorell {

// A line chart of one series of 24 points with a title and a line colour. Its value axis runs from 0
// to the chart's vertical maximum in 5 divisions under a grid of colour 0x646464.
// Observers subscribe to its chart.
class LineChart : public Control {
public:
    static constexpr int kAxisDivisions = 5;
    static constexpr Rgb kGridColour = colours::kChartGrid;

    LineChart(Window& owner, const ControlDesign& design);
    const std::string& Title() const { return title_; }
    Rgb LineColour() const { return lineColour_; }
    LineChartModel& Chart() { return chart_; }
    const LineChartModel& Chart() const { return chart_; }

private:
    std::string title_;
    Rgb lineColour_;
    LineChartModel chart_;
};

}  // namespace quorell
