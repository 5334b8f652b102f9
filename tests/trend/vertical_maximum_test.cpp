#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "ui_model/line_chart.h"
#include "trend/vertical_maximum.h"

namespace quorell {
namespace {

int MaximumAfter(std::initializer_list<double> values, TrafficChartKind kind) {
    LineChartModel chart;
    for (const double value : values) {
        StepVerticalMaximum(chart, value, kind);
    }
    return chart.VerticalMaximum();
}

TEST(StepVerticalMaximum, EachRowOfTheTable) {
    const std::pair<double, int> last24Hours[] = {
        {100.5, 500},      {500.5, 1000},      {1000.5, 5000},   {5000.5, 10000},   {10000.5, 50000},
        {50000.5, 100000}, {100000.5, 100000}, {600000, 100000}, {9999999, 100000},
    };
    for (const auto& [value, maximum] : last24Hours) {
        EXPECT_EQ(MaximumAfter({value}, TrafficChartKind::Last24Hours), maximum) << value;
    }
    const std::pair<double, int> allTime[] = {
        {100.5, 500}, {50000.5, 100000}, {100000.5, 500000}, {500000.5, 1000000}, {600000, 1000000},
    };
    for (const auto& [value, maximum] : allTime) {
        EXPECT_EQ(MaximumAfter({value}, TrafficChartKind::AllTime), maximum) << value;
    }
}

TEST(StepVerticalMaximum, ThresholdMustBeExceededByMoreThanTheTolerance) {
    EXPECT_EQ(MaximumAfter({100.0}, TrafficChartKind::AllTime), 100);
    EXPECT_EQ(MaximumAfter({100.00000005}, TrafficChartKind::AllTime), 100);
    EXPECT_EQ(MaximumAfter({100.0000002}, TrafficChartKind::AllTime), 500);
    EXPECT_EQ(MaximumAfter({1000.0}, TrafficChartKind::AllTime), 1000);
}

TEST(StepVerticalMaximum, SmallValuesLeaveWhatAnEarlierPointSet) {
    EXPECT_EQ(MaximumAfter({0, 1, 99.9}, TrafficChartKind::Last24Hours), 100);
    EXPECT_EQ(MaximumAfter({700, 3, 0, 100}, TrafficChartKind::Last24Hours), 1000);
}

// The maximum follows the last point above 100, so a smaller later point lowers it.
TEST(StepVerticalMaximum, LaterSmallerPointLowersTheMaximum) {
    EXPECT_EQ(MaximumAfter({60000, 50, 200, 7}, TrafficChartKind::Last24Hours), 500);
    EXPECT_EQ(MaximumAfter({200, 60000}, TrafficChartKind::Last24Hours), 100000);
}

}  // namespace
}  // namespace quorell
