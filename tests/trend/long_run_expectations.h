#pragma once

// What the history files of a long run must hold, worked out from the injected samples alone by plain
// calendar bookkeeping, without any of the history code.

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "platform/clock_port.h"
#include "runtime/date_time.h"

namespace quorell::testing {

// Days since 1970-01-01 of a civil date in the proleptic Gregorian calendar (H. Hinnant's algorithm,
// counted in eras of 400 years, each exactly 146097 days long).
inline long long DaysFromCivil(int year, int month, int day) {
    const long long y = year - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The civil date of a day number, the inverse of DaysFromCivil.
inline CivilTime CivilFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    CivilTime civil;
    civil.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    civil.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    civil.year = static_cast<int>(yearOfEra + era * 400 + (civil.month <= 2 ? 1 : 0));
    return civil;
}

inline long long DayNumber(const CivilTime& c) {
    return DaysFromCivil(c.year, c.month, c.day);
}

// 1970-01-01 was a Thursday, three days after a Monday.
inline long long MondayOf(long long dayNumber) {
    return dayNumber - ((dayNumber % 7 + 7 + 3) % 7);
}

// "2011年6月13日" for a day number.
inline std::string DateText(long long dayNumber) {
    const CivilTime date = CivilFromDays(dayNumber);
    return std::to_string(date.year) + "年" + std::to_string(date.month) + "月" + std::to_string(date.day) + "日";
}

using DateKey = std::tuple<int, int, int>;  // year, month, day

inline DateKey DateOf(const CivilTime& c) {
    return {c.year, c.month, c.day};
}

// A CPU or memory file: every sample adds to the all-time slot of its hour, and the recent slot holds
// the samples of the last date on which that hour was recorded, as long as that hour lies within the
// last day: today up to the hour of the last sample, yesterday after it.
struct ExpectedUsage {
    struct Slot {
        DateKey date;
        CivilTime started;
        std::int64_t sum = 0;
        std::int64_t count = 0;
    };
    std::map<int, std::int64_t> allSum, allCount;
    std::map<int, Slot> recent;
    CivilTime last;

    void Add(const CivilTime& c, std::int64_t v) {
        allSum[c.hour] += v;
        allCount[c.hour] += 1;
        Slot& slot = recent[c.hour];
        if (slot.date != DateOf(c)) {
            slot = Slot{DateOf(c), c};
        }
        slot.sum += v;
        slot.count += 1;
        last = c;
    }

    bool WithinLastDay(int hour) const {
        const auto found = recent.find(hour);
        if (found == recent.end())
            return false;
        return DayNumber(found->second.started) == DayNumber(last) - (hour > last.hour ? 1 : 0);
    }
};

// A traffic file: totals per calendar year, month, day, Monday-to-Sunday week and (date, hour).
struct ExpectedTraffic {
    std::int64_t record = 0;
    std::string recordTime;
    std::map<int, std::int64_t> years;
    std::map<std::pair<int, int>, std::int64_t> months;
    std::map<DateKey, std::int64_t> days;
    std::map<long long, std::int64_t> weeks;  // by the day number of their Monday
    std::map<std::pair<DateKey, int>, std::int64_t> hours;
    std::map<int, std::int64_t> allTime;
    std::int64_t ticks = 0;
    CivilTime last;

    void Add(const CivilTime& c, std::int64_t k) {
        if (k > record) {
            record = k;
            recordTime = ToText(MakeDateTime(c));
        }
        years[c.year] += k;
        months[{c.year, c.month}] += k;
        days[DateOf(c)] += k;
        weeks[MondayOf(DayNumber(c))] += k;
        hours[{DateOf(c), c.hour}] += k;
        allTime[c.hour] += k;
        ++ticks;
        last = c;
    }

    std::int64_t Day() const { return days.at(DateOf(last)); }
    std::int64_t Week() const { return weeks.at(MondayOf(DayNumber(last))); }
    std::int64_t Month() const { return months.at({last.year, last.month}); }
    std::int64_t Year() const { return years.at(last.year); }
    // Every recent slot was set to 1 when the last date began, then the day's traffic was added.
    std::int64_t Recent(int hour) const {
        const auto found = hours.find({DateOf(last), hour});
        return 1 + (found == hours.end() ? 0 : found->second);
    }
    std::int64_t AllTimeTotal() const {
        std::int64_t total = 0;
        for (const auto& [hour, sum] : allTime)
            total += sum;
        return total;
    }
};

}  // namespace quorell::testing
