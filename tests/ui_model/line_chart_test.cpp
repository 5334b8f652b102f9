#include "ui_model/line_chart.h"

#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quorell {
namespace {

TEST(LineChartModel, PointsValuesAndMaximumAreClamped) {
    LineChartModel chart;
    chart.SetCurrentPoint(23);
    chart.SetCurrentValue(1.5);
    chart.SetCurrentPoint(24);  // outside: point 0
    EXPECT_EQ(chart.CurrentPoint(), 0);
    chart.SetCurrentValue(9);
    chart.SetCurrentPoint(-1);
    EXPECT_EQ(chart.CurrentValue(), 9.0);
    EXPECT_EQ(chart.Value(23), 1.5);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double in;
        double stored;
    };
    for (Case c : {Case{-3.0, 0.0}, Case{nan, 0.0}, Case{-inf, 0.0}, Case{10'000'000.5, 10'000'000.0},
                   Case{inf, 10'000'000.0}, Case{1.0 / 1024, 1.0 / 1024}}) {
        chart.SetCurrentValue(c.in);
        EXPECT_EQ(chart.CurrentValue(), c.stored) << c.in;
    }
    EXPECT_EQ(chart.VerticalMaximum(), 100);
    chart.SetVerticalMaximum(-1);
    EXPECT_EQ(chart.VerticalMaximum(), 0);
    chart.SetVerticalMaximum(std::numeric_limits<int>::max());
    EXPECT_EQ(chart.VerticalMaximum(), 10'000'000);
}

TEST(LineChartModel, OnlyVisibleChangesNotify) {
    LineChartModel chart;
    std::vector<std::string> changes;
    const Subscription recording = chart.Subscribe([&](const ChartChange& change) {
        std::visit(
            Overloaded{[&](const ChartValueChange& c) {
                           changes.push_back(std::to_string(c.point) + "=" + std::to_string(c.value));
                       },
                       [&](const ChartMaximumChange& c) { changes.push_back("max " + std::to_string(c.maximum)); }},
            change);
    });
    chart.SetCurrentPoint(3);
    chart.SetCurrentValue(0);
    chart.SetVerticalMaximum(100);
    chart.SetCurrentValue(2);
    chart.SetCurrentValue(2);
    chart.SetVerticalMaximum(1000);
    chart.SetCurrentValue(-5);  // stored as 0, and reported as stored
    EXPECT_EQ(changes, (std::vector<std::string>{"3=2.000000", "max 1000", "3=0.000000"}));
}

}  // namespace
}  // namespace quorell
