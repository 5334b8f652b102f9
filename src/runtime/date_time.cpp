#include "runtime/date_time.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quorell {
namespace {

constexpr long long kSecondsPerDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

struct YearMonthDay {
    int year;
    int month;
    int day;
};

YearMonthDay CivilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2 ? 1 : 0)), static_cast<int>(m), static_cast<int>(d)};
}

const long long kOleEpochDays = DaysFromCivil(1899, 12, 30);

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The date split into whole days since 1899-12-30 and seconds since midnight, rounded to the second.
struct DaySeconds {
    long long day;
    long long second;
};

DaySeconds Split(DateTime dt) {
    const double whole = std::trunc(dt.value);
    const double fraction = std::fabs(dt.value - whole);
    DaySeconds split{static_cast<long long>(whole), std::llround(fraction * static_cast<double>(kSecondsPerDay))};
    if (split.second >= kSecondsPerDay) {
        split.day += 1;
        split.second -= kSecondsPerDay;
    }
    return split;
}

// The date as a point on an ordinary time line (days, fraction forward), so that differences are plain
// subtractions also before 1899-12-30, where the stored fraction counts forward from a negative day.
double Linear(DateTime dt) {
    const double whole = std::trunc(dt.value);
    return whole + std::fabs(dt.value - whole);
}

int DayOfWeek(long long oleDay) {
    // 1899-12-30 was a Saturday (7); 1 = Sunday.
    const long long offset = ((oleDay % 7) + 7) % 7;
    return static_cast<int>((offset + 6) % 7) + 1;
}

int DayOfYear(const CivilTime& c) {
    return static_cast<int>(DaysFromCivil(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.day)) -
                            DaysFromCivil(c.year, 1, 1)) +
           1;
}

// Reads a run of decimal digits; false when there is none.
bool ReadNumber(std::string_view& text, int& value) {
    std::size_t i = 0;
    long long n = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i < 9) {
        n = n * 10 + (text[i] - '0');
        ++i;
    }
    if (i == 0) {
        return false;
    }
    value = static_cast<int>(n);
    text.remove_prefix(i);
    return true;
}

bool Consume(std::string_view& text, std::string_view token) {
    if (text.substr(0, token.size()) != token) {
        return false;
    }
    text.remove_prefix(token.size());
    return true;
}

void SkipSpaces(std::string_view& text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
}

bool IsValid(const CivilTime& c) {
    return c.year >= 100 && c.year <= 9999 && c.month >= 1 && c.month <= 12 && c.day >= 1 &&
           c.day <= DaysInMonth(c.year, c.month) && c.hour >= 0 && c.hour < 24 && c.minute >= 0 && c.minute < 60 &&
           c.second >= 0 && c.second < 60;
}

// "2011年6月13日8时30分5秒" with the time parts optional in order.
bool ParseChinese(std::string_view text, CivilTime& c) {
    if (!ReadNumber(text, c.year) || !Consume(text, "年") || !ReadNumber(text, c.month) || !Consume(text, "月") ||
        !ReadNumber(text, c.day) || !Consume(text, "日")) {
        return false;
    }
    SkipSpaces(text);
    if (text.empty())
        return true;
    if (!ReadNumber(text, c.hour) || !Consume(text, "时"))
        return false;
    if (text.empty())
        return true;
    if (!ReadNumber(text, c.minute) || !Consume(text, "分"))
        return false;
    if (text.empty())
        return true;
    if (!ReadNumber(text, c.second) || !Consume(text, "秒"))
        return false;
    return text.empty();
}

// "2011-06-13", "2011/6/13", each optionally followed by " 08:30" or " 08:30:05".
bool ParseNumeric(std::string_view text, CivilTime& c) {
    if (!ReadNumber(text, c.year) || text.empty() || (text.front() != '-' && text.front() != '/')) {
        return false;
    }
    const char separator = text.front();
    text.remove_prefix(1);
    if (!ReadNumber(text, c.month) || !Consume(text, std::string_view(&separator, 1)) || !ReadNumber(text, c.day)) {
        return false;
    }
    if (!text.empty() && (text.front() == ' ' || text.front() == 'T')) {
        text.remove_prefix(1);
        SkipSpaces(text);
        if (!ReadNumber(text, c.hour) || !Consume(text, ":") || !ReadNumber(text, c.minute)) {
            return false;
        }
        if (Consume(text, ":") && !ReadNumber(text, c.second)) {
            return false;
        }
    }
    SkipSpaces(text);
    return text.empty();
}

}  // namespace

DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
    const long long days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kOleEpochDays;
    const double fraction = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
    return DateTime{days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction};
}

DateTime MakeDateTime(const CivilTime& civil) {
    return MakeDateTime(civil.year, civil.month, civil.day, civil.hour, civil.minute, civil.second);
}

CivilTime ToCivil(DateTime dt) {
    const DaySeconds split = Split(dt);
    const YearMonthDay ymd = CivilFromDays(split.day + kOleEpochDays);
    return CivilTime{ymd.year,
                     ymd.month,
                     ymd.day,
                     static_cast<int>(split.second / 3600),
                     static_cast<int>(split.second / 60 % 60),
                     static_cast<int>(split.second % 60)};
}

std::string ToText(DateTime dt) {
    const CivilTime c = ToCivil(dt);
    char buffer[96];
    int length = std::snprintf(buffer, sizeof buffer, "%d年%d月%d日", c.year, c.month, c.day);
    if (c.second != 0) {
        length += std::snprintf(buffer + length, sizeof buffer - static_cast<std::size_t>(length), "%d时%d分%d秒",
                                c.hour, c.minute, c.second);
    } else if (c.minute != 0) {
        length += std::snprintf(buffer + length, sizeof buffer - static_cast<std::size_t>(length), "%d时%d分", c.hour,
                                c.minute);
    } else if (c.hour != 0) {
        length += std::snprintf(buffer + length, sizeof buffer - static_cast<std::size_t>(length), "%d时", c.hour);
    }
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::optional<DateTime> TryParseDateTime(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    CivilTime c{0, 0, 0, 0, 0, 0};
    if (!(ParseChinese(text, c) || (c = CivilTime{0, 0, 0, 0, 0, 0}, ParseNumeric(text, c))) || !IsValid(c)) {
        return std::nullopt;
    }
    return MakeDateTime(c);
}

DateTime ToDateTime(std::string_view text) {
    return TryParseDateTime(text).value_or(DateTime{kMinDateTime});
}

int DatePart(DateTime dt, int unit) {
    const CivilTime c = ToCivil(dt);
    switch (std::clamp(unit, 1, 10)) {
        case 1:
            return c.year;
        case 2:
            return (c.month - 1) / 3 + 1;
        case 3:
            return c.month;
        case 4:
            return (DayOfYear(c) - 1) / 7 + 1;
        case 5:
            return c.day;
        case 6:
            return c.hour;
        case 7:
            return c.minute;
        case 8:
            return c.second;
        case 9:
            return DayOfWeek(Split(dt).day);
        default:
            return DayOfYear(c);
    }
}

int Year(DateTime dt) {
    return DatePart(dt, DateUnit::Year);
}
int Month(DateTime dt) {
    return DatePart(dt, DateUnit::Month);
}
int Day(DateTime dt) {
    return DatePart(dt, DateUnit::Day);
}
int Hour(DateTime dt) {
    return DatePart(dt, DateUnit::Hour);
}
int Minute(DateTime dt) {
    return DatePart(dt, DateUnit::Minute);
}
int Second(DateTime dt) {
    return DatePart(dt, DateUnit::Second);
}

double Interval(DateTime dt1, DateTime dt2, int unit) {
    if (dt1 == dt2) {
        return 0;
    }
    const double days = Linear(dt1) - Linear(dt2);
    switch (std::clamp(unit, 1, 8)) {
        case 1:
            return Year(dt1) - Year(dt2);
        case 2:
            return (Year(dt1) - Year(dt2)) * 4 + (Month(dt1) - 1) / 3 - (Month(dt2) - 1) / 3;
        case 3:
            return (Year(dt1) - Year(dt2)) * 12 + Month(dt1) - Month(dt2);
        case 4: {
            double weeks = std::trunc(std::trunc(days) / 7);
            const int dow1 = DatePart(dt1, DateUnit::DayOfWeek);
            const int dow2 = DatePart(dt2, DateUnit::DayOfWeek);
            if (days > 0 && dow1 < dow2)
                weeks += 1;
            if (days < 0 && dow1 > dow2)
                weeks -= 1;
            return weeks;
        }
        case 5:
            return days;
        case 6:
            return std::trunc(days * 24 + 5.787037037037037e-6);
        case 7:
            return std::trunc(days * 1440 + 5.787037037037037e-6);
        default:
            return std::trunc(days * 86400 + 5.787037037037037e-6);
    }
}

}  // namespace quorell
