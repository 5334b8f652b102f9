#pragma once

#include "ui_model/line_chart.h"

namespace quorell {

// The two kinds of traffic chart differ in how far their vertical maximum can step up.
enum class TrafficChartKind { Last24Hours, AllTime };

// Steps the chart's vertical maximum for one point value (in Mb), from the top of the table down:
// above 500000 -> 1000000 and above 100000 -> 500000 (all-time charts only; the 24-hour chart falls
// through to the next row), above 50000 -> 100000, 10000 -> 50000, 5000 -> 10000, 1000 -> 5000,
// 500 -> 1000, 100 -> 500. "Above" means by more than 0.0000001. A value of 100 or less leaves the
// maximum as it is, so after a walk over all points the last point above 100 has set it.
void StepVerticalMaximum(LineChartModel& chart, double value, TrafficChartKind kind);

}  // namespace quorell
