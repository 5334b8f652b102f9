#include "history/history_readers.h"

#include "history/history_keys.h"
#include "runtime/ini_file.h"
#include "runtime/value_text.h"

namespace quorell {
namespace {

constexpr std::string_view kNumberDefault = "1";
constexpr std::string_view kTimeDefault = "Null";

std::int64_t ReadNumber(const IniFile& file, std::string_view section, std::string_view key) {
    return ToInteger64(file.Read(section, key, kNumberDefault));
}

}  // namespace

UsageSlots ReadUsageSlots(const IniFile& file, std::string_view section) {
    UsageSlots slots;
    for (int hour = 0; hour < kHourSlotCount; ++hour) {
        slots.sums[hour] = ReadNumber(file, section, HourSlotKey(hour));
        slots.counts[hour] = ReadNumber(file, section, HourCountKey(hour));
    }
    return slots;
}

HourSlots ReadTrafficSlots(const IniFile& file, std::string_view section) {
    HourSlots sums{};
    for (int hour = 0; hour < kHourSlotCount; ++hour) {
        sums[hour] = ReadNumber(file, section, HourSlotKey(hour));
    }
    return sums;
}

TrafficSummary ReadTrafficSummary(const IniFile& file) {
    TrafficSummary summary;
    summary.record = file.Read(kOtherSection, kRecordKey, kNumberDefault);
    summary.recordTime = file.Read(kOtherSection, kRecordTimeKey, kTimeDefault);
    summary.tickCount = ReadNumber(file, kOtherSection, kTickCountKey);
    summary.dayTotal = ReadNumber(file, kOtherSection, kDayTotalKey);
    summary.weekTotal = ReadNumber(file, kOtherSection, kWeekTotalKey);
    summary.monthTotal = ReadNumber(file, kOtherSection, kMonthTotalKey);
    summary.yearTotal = ReadNumber(file, kOtherSection, kYearTotalKey);
    return summary;
}

}  // namespace quorell
