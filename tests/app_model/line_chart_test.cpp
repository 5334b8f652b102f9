#include "app/model/line_chart.h"

#include <limits>

#include <gtest/gtest.h>

namespace quorell {
namespace {

TEST(LineChartModel, StartsWithZeroPointsAndMaximumOfOneHundred) {
    LineChartModel chart;
    for (int k = 0; k < LineChartModel::kPointCount; ++k) EXPECT_EQ(chart.Value(k), 0.0);
    EXPECT_EQ(chart.VerticalMaximum(), 100);
    EXPECT_EQ(chart.CurrentPoint(), 0);
}

TEST(LineChartModel, PointOutsideTheSeriesSelectsPointZero) {
    LineChartModel chart;
    chart.SetCurrentPoint(23);
    chart.SetCurrentValue(5);
    EXPECT_EQ(chart.Value(23), 5.0);
    for (int bad : {24, -1, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        chart.SetCurrentPoint(7);
        chart.SetCurrentPoint(bad);
        EXPECT_EQ(chart.CurrentPoint(), 0) << bad;
    }
    chart.SetCurrentValue(9);
    EXPECT_EQ(chart.Value(0), 9.0);
    EXPECT_EQ(chart.Value(23), 5.0);
    EXPECT_EQ(chart.Value(24), 0.0);
    EXPECT_EQ(chart.Value(-1), 0.0);
}

TEST(LineChartModel, ValuesAreClampedAndReadBackAsStored) {
    LineChartModel chart;
    chart.SetCurrentPoint(4);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case { double in; double stored; };
    for (Case c : {Case{1.5, 1.5}, Case{1.0 / 1024, 1.0 / 1024}, Case{0.0, 0.0}, Case{-3.0, 0.0},
                   Case{nan, 0.0}, Case{-inf, 0.0}, Case{10'000'000.0, 10'000'000.0},
                   Case{10'000'000.5, 10'000'000.0}, Case{inf, 10'000'000.0}}) {
        chart.SetCurrentValue(c.in);
        EXPECT_EQ(chart.CurrentValue(), c.stored) << c.in;
    }
}

TEST(LineChartModel, VerticalMaximumIsClamped) {
    LineChartModel chart;
    chart.SetVerticalMaximum(500);
    EXPECT_EQ(chart.VerticalMaximum(), 500);
    chart.SetVerticalMaximum(-1);
    EXPECT_EQ(chart.VerticalMaximum(), 0);
    chart.SetVerticalMaximum(10'000'001);
    EXPECT_EQ(chart.VerticalMaximum(), 10'000'000);
}

TEST(LineChartModel, OnlyVisibleChangesNotify) {
    LineChartModel chart;
    int calls = 0;
    chart.SetChangeListener([&] { ++calls; });
    chart.SetCurrentPoint(3);
    chart.SetCurrentValue(0);       // already 0
    chart.SetVerticalMaximum(100);  // already 100
    EXPECT_EQ(calls, 0);
    chart.SetCurrentValue(2);
    chart.SetCurrentValue(2);
    chart.SetVerticalMaximum(1000);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(chart.Revision(), 2u);
}

}  // namespace
}  // namespace quorell
