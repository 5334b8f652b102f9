#pragma once

#include <QFont>
#include <QWidget>

#include "ui_model/chart_layout.h"
#include "ui_model/line_chart_control.h"

namespace quorell::gui {

// A trend line chart painted from the model's chart layout: its title, the grid of 0x646464, the hour
// axis 0..23, the value axis from 0 to the vertical maximum in 5 divisions and the series as a 1-pixel
// line in the chart's line colour. Model changes only ask for a repaint, so the 24 values and the maximum
// of one refresh are drawn in one paint, and a hidden chart draws what the model holds when it is shown.
class LineChartView : public QWidget {
    Q_OBJECT
public:
    LineChartView(LineChart& model, QWidget* parent);

    // Where everything goes at the view's size in its fonts: what the next paint draws.
    ChartLayout Layout() const;
    QString Title() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const LineChart& model_;
    QFont titleFont_;
    QFont axisFont_;
    Subscription subscription_;
};

}  // namespace quorell::gui
