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

// The markers "去年", "上月" and "昨天" hold the year, month and day of the month of the last tick. A new
// year begins when the year differs from "去年" (a missing marker is empty text, so it differs); a new
// month when the month or the year differs; a new day when the day, the month or the year differs, so
// the same day number a month or a year later is a new day all the same. Each new period sets its total
// to "0", a new day also every "最近" slot to "1"; the markers are written after all of that, the
// year's last: a tick cut short before them leaves an old marker, so the next tick repeats the
// roll-over instead of adding to the totals of a period that has ended.
void RollOverCalendarPeriods(const IniFile& file, DateTime now) {
    const std::string year = ToText(static_cast<std::int32_t>(Year(now)));
    const std::string month = ToText(static_cast<std::int32_t>(Month(now)));
    const std::string day = ToText(static_cast<std::int32_t>(Day(now)));
    const bool newYear = file.Read(kOtherSection, kYearMarkerKey) != year;
    const bool newMonth = newYear || file.Read(kOtherSection, kMonthMarkerKey) != month;
    const bool newDay = newMonth || file.Read(kOtherSection, kDayMarkerKey) != day;
    if (!newDay) {
        return;
    }
    if (newYear) {
        file.Write(kOtherSection, kYearTotalKey, "0");
    }
    if (newMonth) {
        file.Write(kOtherSection, kMonthTotalKey, "0");
    }
    file.Write(kOtherSection, kDayTotalKey, "0");
    for (int hour = 0; hour < kHourSlotCount; ++hour) {
        file.Write(kRecentSection, HourSlotKey(hour), "1");
    }
    file.Write(kOtherSection, kDayMarkerKey, day);
    file.Write(kOtherSection, kMonthMarkerKey, month);
    file.Write(kOtherSection, kYearMarkerKey, year);
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

    RollOverCalendarPeriods(file, now);
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
