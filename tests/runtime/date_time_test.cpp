#include <gtest/gtest.h>

#include "runtime/date_time.h"

namespace quorell {
namespace {

TEST(DateTime, IsTheOleDate) {
    EXPECT_DOUBLE_EQ(MakeDateTime(1899, 12, 30).value, 0.0);
    EXPECT_DOUBLE_EQ(MakeDateTime(1900, 1, 1).value, 2.0);
    EXPECT_DOUBLE_EQ(MakeDateTime(1899, 12, 30, 12).value, 0.5);
    // Before the epoch the fraction counts forward from the (negative) day.
    EXPECT_DOUBLE_EQ(MakeDateTime(1899, 12, 29, 6).value, -1.25);
    EXPECT_DOUBLE_EQ(MakeDateTime(100, 1, 1).value, kMinDateTime);
    EXPECT_DOUBLE_EQ(MakeDateTime(9999, 12, 31).value, kMaxDateTime);
    EXPECT_DOUBLE_EQ(MakeDateTime(2011, 6, 13).value, 40707.0);
}

TEST(DateTime, CalendarFieldsRoundTrip) {
    for (const CivilTime c :
         {CivilTime{2011, 6, 13, 8, 30, 5}, CivilTime{1899, 12, 29, 6, 0, 0}, CivilTime{100, 1, 1, 23, 59, 59},
          CivilTime{9999, 12, 31, 23, 59, 59}, CivilTime{2024, 2, 29, 0, 0, 1}, CivilTime{1600, 3, 1, 12, 0, 0}}) {
        EXPECT_EQ(ToCivil(MakeDateTime(c)), c) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(DateTimeText, DropsZeroTimeParts) {
    EXPECT_EQ(ToText(MakeDateTime(2011, 6, 13)), "2011年6月13日");
    EXPECT_EQ(ToText(MakeDateTime(2011, 6, 13, 8)), "2011年6月13日8时");
    EXPECT_EQ(ToText(MakeDateTime(2011, 6, 13, 8, 30)), "2011年6月13日8时30分");
    EXPECT_EQ(ToText(MakeDateTime(2011, 6, 13, 10, 0, 5)), "2011年6月13日10时0分5秒");
    EXPECT_EQ(ToText(MakeDateTime(2011, 6, 13, 0, 0, 5)), "2011年6月13日0时0分5秒");
}

TEST(DateTimeText, EveryWrittenTextReadsBackExactly) {
    for (int second : {0, 1, 59}) {
        for (int minute : {0, 7}) {
            for (int hour : {0, 8, 23}) {
                const DateTime dt = MakeDateTime(2011, 6, 13, hour, minute, second);
                EXPECT_EQ(ToDateTime(ToText(dt)), dt) << ToText(dt);
            }
        }
    }
    EXPECT_EQ(ToDateTime(ToText(MakeDateTime(1850, 1, 2, 3, 4, 5))), MakeDateTime(1850, 1, 2, 3, 4, 5));
}

TEST(DateTimeText, OtherFormsAndRejects) {
    EXPECT_EQ(ToDateTime("2011-06-13 08:30:05"), MakeDateTime(2011, 6, 13, 8, 30, 5));
    EXPECT_EQ(ToDateTime("2011/6/13"), MakeDateTime(2011, 6, 13));
    EXPECT_FALSE(TryParseDateTime("2011年2月30日"));
    EXPECT_FALSE(TryParseDateTime("2011年6月13日25时"));
    EXPECT_FALSE(TryParseDateTime("Null"));
    EXPECT_FALSE(TryParseDateTime(""));
    EXPECT_FALSE(TryParseDateTime("2011年6月13日8时junk"));
    EXPECT_EQ(ToDateTime("garbage").value, kMinDateTime);
}

TEST(DatePart, AllUnits) {
    const DateTime dt = MakeDateTime(2011, 6, 13, 8, 30, 5);  // a Monday, day 164 of the year
    EXPECT_EQ(DatePart(dt, 1), 2011);
    EXPECT_EQ(DatePart(dt, 2), 2);
    EXPECT_EQ(DatePart(dt, 3), 6);
    EXPECT_EQ(DatePart(dt, 4), 24);
    EXPECT_EQ(DatePart(dt, 5), 13);
    EXPECT_EQ(DatePart(dt, 6), 8);
    EXPECT_EQ(DatePart(dt, 7), 30);
    EXPECT_EQ(DatePart(dt, 8), 5);
    EXPECT_EQ(DatePart(dt, 9), 2);
    EXPECT_EQ(DatePart(dt, 10), 164);
    EXPECT_EQ(DatePart(dt, 0), 2011);                           // clamped to year
    EXPECT_EQ(DatePart(dt, 99), 164);                           // clamped to day of year
    EXPECT_EQ(DatePart(MakeDateTime(1899, 12, 30), 9), 7);      // a Saturday
    EXPECT_EQ(DatePart(MakeDateTime(1899, 12, 24, 12), 9), 1);  // a Sunday before the epoch
}

TEST(Interval, CalendarUnitsCountBoundaries) {
    const DateTime newYear = MakeDateTime(2012, 1, 1);
    const DateTime oldYearsEve = MakeDateTime(2011, 12, 31, 23, 59, 59);
    EXPECT_EQ(Interval(newYear, oldYearsEve, 1), 1);
    EXPECT_EQ(Interval(newYear, oldYearsEve, 2), 1);
    EXPECT_EQ(Interval(newYear, oldYearsEve, 3), 1);
    EXPECT_EQ(Interval(MakeDateTime(2011, 3, 1), MakeDateTime(2012, 2, 1), 3), -11);
    EXPECT_EQ(Interval(newYear, newYear, 5), 0);
}

TEST(Interval, WeeksFollowTheDayOfWeekRule) {
    const DateTime sunday = MakeDateTime(2011, 6, 12);
    const DateTime saturdayBefore = MakeDateTime(2011, 6, 11);
    const DateTime mondayAfter = MakeDateTime(2011, 6, 13);
    EXPECT_EQ(Interval(sunday, saturdayBefore, 4), 1);
    EXPECT_EQ(Interval(mondayAfter, sunday, 4), 0);
    EXPECT_EQ(Interval(saturdayBefore, sunday, 4), -1);
    EXPECT_EQ(Interval(MakeDateTime(2011, 6, 27), mondayAfter, 4), 2);
}

TEST(Interval, DaysKeepTheirFractionAndSmallUnitsTruncate) {
    const DateTime a = MakeDateTime(2011, 6, 13, 18);
    const DateTime b = MakeDateTime(2011, 6, 13, 6);
    EXPECT_DOUBLE_EQ(Interval(a, b, 5), 0.5);
    EXPECT_EQ(Interval(a, b, 6), 12);
    EXPECT_EQ(Interval(a, b, 7), 720);
    EXPECT_EQ(Interval(a, b, 8), 43200);
    EXPECT_EQ(Interval(a, b, 42), 43200);  // above 8 counts as seconds
    EXPECT_EQ(Interval(MakeDateTime(2011, 6, 13, 0, 0, 1), MakeDateTime(2011, 6, 13), 8), 1);
    // Across the epoch the difference is taken on the real time line.
    EXPECT_DOUBLE_EQ(Interval(MakeDateTime(1899, 12, 30, 6), MakeDateTime(1899, 12, 29, 18), 6), 12);
}

}  // namespace
}  // namespace quorell
