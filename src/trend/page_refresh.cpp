#include "trend/page_refresh.h"

#include <cstdint>

#include "history/history_files.h"
#include "history/history_keys.h"
#include "history/history_readers.h"
#include "runtime/value_text.h"
#include "trend/vertical_maximum.h"

namespace quorell {
namespace {

constexpr std::int64_t kKPerMb = 1024;

// The trend window only shows what it reads; a divisor of 0 can come only from a hand-edited file, and
// the point or label then shows 0 rather than ending the program.
std::int64_t DivideOrZero(std::int64_t value, std::int64_t divisor) {
    return divisor == 0 ? 0 : IntegerDivide(value, divisor);
}

void FillAverages(LineChartModel& chart, const UsageSlots& slots) {
    for (int point = 0; point < kHourSlotCount; ++point) {
        chart.SetCurrentPoint(point);
        chart.SetCurrentValue(static_cast<double>(DivideOrZero(slots.sums[point], slots.counts[point])));
    }
}

void FillTraffic(LineChartModel& chart, const HourSlots& slots, TrafficChartKind kind) {
    for (int point = 0; point < kHourSlotCount; ++point) {
        chart.SetCurrentPoint(point);
        chart.SetCurrentValue(static_cast<double>(slots[point]) / static_cast<double>(kKPerMb));
        // The step looks at the value as the chart holds it (clamped), not as it was read.
        StepVerticalMaximum(chart, chart.CurrentValue(), kind);
    }
}

std::string Megabytes(std::int64_t k) {
    return Concat(ToText(DivideOrZero(k, kKPerMb)), " Mb");
}

}  // namespace

void RefreshUsageCharts(const IniFile& file, LineChartModel& recent, LineChartModel& allTime) {
    FillAverages(recent, ReadUsageSlots(file, kRecentSection));
    FillAverages(allTime, ReadUsageSlots(file, kAllTimeSection));
}

TrafficPageTexts RefreshTrafficCharts(const IniFile& file, LineChartModel& recent, LineChartModel& allTime) {
    FillTraffic(recent, ReadTrafficSlots(file, kRecentSection), TrafficChartKind::Last24Hours);

    const HourSlots allTimeSlots = ReadTrafficSlots(file, kAllTimeSection);
    FillTraffic(allTime, allTimeSlots, TrafficChartKind::AllTime);
    std::int64_t total = 0;
    for (const std::int64_t slot : allTimeSlots) {
        total = SaturatingAdd(total, slot);
    }

    const TrafficSummary summary = ReadTrafficSummary(file);
    TrafficPageTexts texts;
    texts.record = Concat(summary.record, " Kb");
    texts.recordTime = summary.recordTime;
    texts.average = Concat(ToText(DivideOrZero(total, summary.tickCount)), " Kb");
    texts.day = Megabytes(summary.dayTotal);
    texts.week = Megabytes(summary.weekTotal);
    texts.month = Megabytes(summary.monthTotal);
    texts.year = Megabytes(summary.yearTotal);
    texts.all = Megabytes(total);
    return texts;
}

}  // namespace quorell
