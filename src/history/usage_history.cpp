#include "history/usage_history.h"

#include <optional>
#include <string>

#include "history/history_files.h"
#include "history/history_keys.h"
#include "runtime/ini_file.h"
#include "runtime/value_text.h"

namespace quorell {
namespace {

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

CalendarDate DateOf(DateTime dt) {
    const CivilTime civil = ToCivil(dt);
    return CalendarDate{civil.year, civil.month, civil.day};
}

CalendarDate DayBefore(const CalendarDate& date) {
    // Midnights are whole numbers in both halves of the date scale, so a whole day can be subtracted.
    return DateOf(DateTime{MakeDateTime(date.year, date.month, date.day).value - 1});
}

std::string DayText(int day) {
    return ToText(static_cast<std::int32_t>(day));
}

// "2011年6月13日".
std::string DateText(const CalendarDate& date) {
    return ToText(MakeDateTime(date.year, date.month, date.day));
}

// Whether slot `hour` was last started on `date`. "今天" holds the day of the month, "日期" the full date.
// The full date counts only while its day agrees with "今天": a copy of the program that keeps only the
// day may have started the slot since, and for such a slot, as for a file that has no "日期" at all,
// the day alone decides, as it always did.
bool SlotStartedOn(const IniFile& file, int hour, const CalendarDate& date) {
    const std::string slot = HourSlotKey(hour);
    const std::string day = file.Read(kSlotDaySection, slot);
    if (day != DayText(date.day)) {
        return false;
    }
    const std::optional<DateTime> started = TryParseDateTime(file.Read(kSlotDateSection, slot));
    if (!started || DayText(Day(*started)) != day) {
        return true;
    }
    return DateOf(*started) == date;
}

void ClearRecentSlot(const IniFile& file, int hour) {
    file.Write(kRecentSection, HourSlotKey(hour), std::nullopt);
    file.Write(kRecentSection, HourCountKey(hour), std::nullopt);
}

// "最近" holds the last 24 hours: the hours up to the current one started today, the later ones
// yesterday. After the program was off for a while, other slots may be older than that; they are
// cleared rather than shown as recent until their hour comes round.
void ClearSlotsOlderThanADay(const IniFile& file, int currentHour, const CalendarDate& today) {
    const CalendarDate yesterday = DayBefore(today);
    for (int hour = 0; hour < kHourSlotCount; ++hour) {
        if (hour != currentHour && !SlotStartedOn(file, hour, hour < currentHour ? today : yesterday)) {
            ClearRecentSlot(file, hour);
        }
    }
}

}  // namespace

void RecordHourlySample(const IniFile& file, std::int64_t value, DateTime now) {
    const int hour = Hour(now);
    const std::string slot = HourSlotKey(hour);
    const std::string count = HourCountKey(hour);
    const CalendarDate today = DateOf(now);

    // A slot not started today was last filled on an earlier date: start it afresh. The stamps are
    // written last: a tick cut short before them leaves the slot stale, and the next tick clears it
    // again instead of adding today's samples to an old day's sum.
    if (!SlotStartedOn(file, hour, today)) {
        ClearRecentSlot(file, hour);
        ClearSlotsOlderThanADay(file, hour, today);
        file.Write(kSlotDateSection, slot, DateText(today));
        file.Write(kSlotDaySection, slot, DayText(today.day));
    }
    AddToKey(file, kRecentSection, slot, value);
    AddToKey(file, kRecentSection, count, 1);
    AddToKey(file, kAllTimeSection, slot, value);
    AddToKey(file, kAllTimeSection, count, 1);
}

}  // namespace quorell
