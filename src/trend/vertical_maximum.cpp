#include "trend/vertical_maximum.h"

#include <array>

namespace quorell {
namespace {

struct Step {
    double threshold;
    int last24Hours;  // 0: no step on this chart, the value falls through to the next row
    int allTime;
};

constexpr std::array<Step, 8> kSteps{{
    {500000, 0, 1000000},
    {100000, 0, 500000},
    {50000, 100000, 100000},
    {10000, 50000, 50000},
    {5000, 10000, 10000},
    {1000, 5000, 5000},
    {500, 1000, 1000},
    {100, 500, 500},
}};

constexpr double kTolerance = 0.0000001;

}  // namespace

void StepVerticalMaximum(LineChartModel& chart, double value, TrafficChartKind kind) {
    for (const Step& step : kSteps) {
        const int maximum = kind == TrafficChartKind::AllTime ? step.allTime : step.last24Hours;
        if (maximum != 0 && value - step.threshold > kTolerance) {
            chart.SetVerticalMaximum(maximum);
            return;
        }
    }
}

}  // namespace quorell
