#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "runtime/civil_time.h"

namespace quorell {

// A point in time as days since 1899-12-30 00:00, the fraction being the time of day (the OLE date).
// For days before 1899-12-30 the fraction still counts forward from midnight: -1.25 is 1899-12-29 06:00.
struct DateTime {
    double value = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

inline constexpr double kMinDateTime = -657434.0;  // 100-01-01
inline constexpr double kMaxDateTime = 2958465.0;  // 9999-12-31 (its time of day may follow)

// A date from calendar fields; fields out of range are not normalised (the caller passes real dates).
DateTime MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
DateTime MakeDateTime(const CivilTime& civil);
// The calendar fields, to the nearest whole second.
CivilTime ToCivil(DateTime dt);

// "2011年6月13日", followed by "8时", "8时30分" or "10时0分5秒" while the time of day is not zero.
std::string ToText(DateTime dt);

// Reads every text that ToText(DateTime) writes, and "2011-06-13 08:30:05", "2011/6/13" forms.
// A text that is not a date gives std::nullopt from TryParseDateTime, and the minimum date from ToDateTime.
std::optional<DateTime> TryParseDateTime(std::string_view text);
DateTime ToDateTime(std::string_view text);

enum class DateUnit : int {
    Year = 1,
    Quarter = 2,
    Month = 3,
    Week = 4,
    Day = 5,
    Hour = 6,
    Minute = 7,
    Second = 8,
    DayOfWeek = 9,
    DayOfYear = 10,
};

// Unit 1 year, 2 quarter, 3 month, 4 week of the year, 5 day, 6 hour, 7 minute, 8 second,
// 9 day of week (1 = Sunday), 10 day of year. Units outside 1..10 are clamped.
int DatePart(DateTime dt, int unit);
inline int DatePart(DateTime dt, DateUnit unit) {
    return DatePart(dt, static_cast<int>(unit));
}
int Year(DateTime dt);
int Month(DateTime dt);
int Day(DateTime dt);
int Hour(DateTime dt);
int Minute(DateTime dt);
int Second(DateTime dt);

// dt1 minus dt2 in the unit: 1 years, 2 quarters, 3 months, 4 weeks, 5 days (with fraction),
// 6 hours, 7 minutes, 8 seconds. Units above 8 count as 8, below 1 as 1.
double Interval(DateTime dt1, DateTime dt2, int unit);
inline double Interval(DateTime dt1, DateTime dt2, DateUnit unit) {
    return Interval(dt1, dt2, static_cast<int>(unit));
}

}  // namespace quorell
