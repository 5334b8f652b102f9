#include "ui_model/line_chart.h"

#include <algorithm>

namespace quorell {

void LineChartModel::SetCurrentPoint(int point) {
    current_ = (point >= 0 && point < kPointCount) ? point : 0;
}

void LineChartModel::SetCurrentValue(double value) {
    double stored = 0.0;
    if (value > 0.0)
        stored = std::min(value, kValueLimit);  // false for NaN, so NaN stores 0
    double& slot = values_[static_cast<std::size_t>(current_)];
    if (slot == stored)
        return;
    slot = stored;
    changed_.Emit(ChartValueChange{current_, stored});
}

double LineChartModel::Value(int point) const {
    if (point < 0 || point >= kPointCount)
        return 0.0;
    return values_[static_cast<std::size_t>(point)];
}

void LineChartModel::SetVerticalMaximum(int maximum) {
    const int clamped = std::clamp(maximum, 0, kMaximumLimit);
    if (clamped == maximum_)
        return;
    maximum_ = clamped;
    changed_.Emit(ChartMaximumChange{clamped});
}

}  // namespace quorell
