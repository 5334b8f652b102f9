#include "history/traffic_history.h"

#include <cmath>
#include <optional>
#include <string>

#include "history/history_files.h"
#include "history/history_keys.h"
#include "runtime/ini_file.h"
#include "runtime/value_text.h"

namespace quorell {
namespace {

// A period marker ("去年", "上月", "昨天") holds the number of the period of the last tick. When it differs
// from the current one byte for byte (a missing marker is empty text), the period's total starts at "0".
// Each roll-over writes its marker last: a tick cut short before it leaves the old marker, so the next
// tick repeats the roll-over instead of adding to the total of the period that has ended.
void RollOverPeriod(const IniFile& file, std::string_view markerKey, const std::string& current,
                    std::string_view totalKey) {
    if (file.Read(kOtherSection, markerKey) == current) {
        return;
    }
    file.Write(kOtherSection, totalKey, "0");
    file.Write(kOtherSection, markerKey, current);
}

// A new day also sets every "最近" slot back to "1".
void RollOverDay(const IniFile& file, DateTime now) {
    const std::string day = ToText(static_cast<std::int32_t>(Day(now)));
    if (file.Read(kOtherSection, kDayMarkerKey) == day) {
        return;
    }
    file.Write(kOtherSection, kDayTotalKey, "0");
    for (int hour = 0; hour < kHourSlotCount; ++hour) {
        file.Write(kRecentSection, HourSlotKey(hour), "1");
    }
    file.Write(kOtherSection, kDayMarkerKey, day);
}

// "周一" holds the Monday 00:00 of the week being totalled. The week is over when the marker is missing or
// unreadable, or when `now` is not within the seven whole days from it: more than 6 whole days later, or
// earlier than it (the clock was set back). Whole days, so that all of Sunday still belongs to the week.
bool IsNewWeek(const IniFile& file, DateTime now) {
    const std::optional<DateTime> monday = TryParseDateTime(file.Read(kOtherSection, kWeekMarkerKey));
    if (!monday) {
        return true;
    }
    const double days = Interval(now, *monday, DateUnit::Day);
    return days < 0 || std::trunc(days) > 6;
}

void RollOverWeek(const IniFile& file, DateTime now) {
    if (!IsNewWeek(file, now)) {
        return;
    }
    file.Write(kOtherSection, kWeekTotalKey, "0");
    file.Write(kOtherSection, kWeekMarkerKey, ToText(StartOfWeek(now)));
}

}  // namespace

DateTime StartOfWeek(DateTime dt) {
    const CivilTime civil = ToCivil(dt);
    const DateTime midnight = MakeDateTime(civil.year, civil.month, civil.day);
    // Day of week 1 = Sunday .. 7 = Saturday; days since Monday 0 .. 6.
    const int daysSinceMonday = (DatePart(dt, DateUnit::DayOfWeek) + 5) % 7;
    // Midnights are whole numbers in both halves of the date scale, so whole days can be subtracted.
    return DateTime{midnight.value - daysSinceMonday};
}

void RecordTrafficSample(const IniFile& file, std::int64_t k, DateTime now) {
    if (k > ReadStoredInteger(file, kOtherSection, kRecordKey)) {
        file.Write(kOtherSection, kRecordKey, ToText(k));
        file.Write(kOtherSection, kRecordTimeKey, ToText(now));
    }

    const std::string year = ToText(static_cast<std::int32_t>(Year(now)));
    AddToKey(file, kOtherSection, year, k);

    RollOverPeriod(file, kYearMarkerKey, year, kYearTotalKey);
    RollOverPeriod(file, kMonthMarkerKey, ToText(static_cast<std::int32_t>(Month(now))), kMonthTotalKey);
    RollOverDay(file, now);
    RollOverWeek(file, now);

    AddToKey(file, kOtherSection, kDayTotalKey, k);
    AddToKey(file, kOtherSection, kWeekTotalKey, k);
    AddToKey(file, kOtherSection, kMonthTotalKey, k);
    AddToKey(file, kOtherSection, kYearTotalKey, k);

    const std::string slot = HourSlotKey(Hour(now));
    AddToKey(file, kRecentSection, slot, k);
    AddToKey(file, kAllTimeSection, slot, k);

    AddToKey(file, kOtherSection, kTickCountKey, 1);
}

}  // namespace quorell
