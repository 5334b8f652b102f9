#pragma once

#include <QChartView>
#include <array>

#include "ui_model/line_chart_control.h"

class QLineSeries;
class QValueAxis;

namespace quorell::gui {

// A trend line chart: its title, one series of 24 points in the chart's line colour, an hour axis 0..23
// and a value axis from 0 to the vertical maximum in 5 divisions under a grid of 0x646464.
// Model changes arrive one point at a time; they are applied together, and only while the chart can be
// seen (a hidden chart catches up when it is shown).
class LineChartView : public QChartView {
    Q_OBJECT
public:
    LineChartView(LineChart& model, QWidget* parent);

    QLineSeries* Series() const { return series_; }
    QValueAxis* ValueAxis() const { return valueAxis_; }
    // Applies any change not shown yet.
    void CatchUp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Apply(const ChartChange& change);
    void ScheduleCatchUp();

    QLineSeries* series_;
    QValueAxis* valueAxis_;
    // The chart's values as the notifications left them, and whether the series shows them yet.
    std::array<double, LineChartModel::kPointCount> values_;
    int maximum_;
    bool stale_ = true;
    bool scheduled_ = false;
    Subscription subscription_;
};

}  // namespace quorell::gui
