#pragma once

// What the history files of a long run must hold, worked out from the injected samples alone by plain
// calendar bookkeeping, without any of the history code.

#include <cstdint>
#include <ctime>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "platform/clock_port.h"
#include "runtime/date_time.h"

namespace quorell::testing {

// Days since 1970-01-01 of a civil date, counted by the C library.
inline long long DayNumber(const CivilTime& c) {
    std::tm date{};
    date.tm_year = c.year - 1900;
    date.tm_mon = c.month - 1;
    date.tm_mday = c.day;
    return static_cast<long long>(timegm(&date) / 86400);
}

// 1970-01-01 was a Thursday, three days after a Monday.
inline long long MondayOf(long long dayNumber) {
    return dayNumber - ((dayNumber % 7 + 7 + 3) % 7);
}

// "2011年6月13日" for a day number.
inline std::string DateText(long long dayNumber) {
    const std::time_t seconds = static_cast<std::time_t>(dayNumber) * 86400;
    std::tm date{};
    gmtime_r(&seconds, &date);
    return std::to_string(date.tm_year + 1900) + "年" + std::to_string(date.tm_mon + 1) + "月" +
           std::to_string(date.tm_mday) + "日";
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
