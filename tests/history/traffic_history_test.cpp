#include <gtest/gtest.h>

#include <string>

#include "history/history_files.h"
#include "history/traffic_history.h"
#include "runtime/date_time.h"
#include "support/history_test_files.h"
#include "support/system_ini_store.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using testing::IsAbsent;
using testing::Store;
using testing::Stored;

class TrafficHistory : public ::testing::Test {
protected:
    testing::TempDir directory;
    testing::SystemIniStore store;
    IniFile file{store, HistoryFilePath(directory.Path(), kReceiveHistoryFileName)};

    std::string Other(std::string_view key) const { return Stored(file, "其他", key); }
    std::string Recent(int hour) const { return Stored(file, "最近", std::to_string(hour)); }
    std::string AllTime(int hour) const { return Stored(file, "全部", std::to_string(hour)); }
};

TEST_F(TrafficHistory, FirstTickStartsEveryPeriodBeforeAddingTheTraffic) {
    RecordTrafficSample(file, 250, MakeDateTime(2011, 6, 15, 8, 30, 5));  // a Wednesday
    EXPECT_EQ(Other("最高"), "250");
    EXPECT_EQ(Other("时间"), "2011年6月15日8时30分5秒");
    EXPECT_EQ(Other("2011"), "250");
    EXPECT_EQ(Other("去年"), "2011");
    EXPECT_EQ(Other("上月"), "6");
    EXPECT_EQ(Other("昨天"), "15");
    EXPECT_EQ(Other("周一"), "2011年6月13日");
    for (const char* total : {"今日", "本周", "本月", "今年"}) {
        EXPECT_EQ(Other(total), "250") << total;
    }
    EXPECT_EQ(Other("秒数"), "1");
    EXPECT_EQ(Recent(8), "251");
    EXPECT_EQ(Recent(9), "1");
    EXPECT_EQ(AllTime(8), "250");
    EXPECT_TRUE(IsAbsent(file, "全部", "9"));
}

TEST_F(TrafficHistory, NegativeTrafficLowersTheTotalsButNeverTheRecord) {
    RecordTrafficSample(file, 50, MakeDateTime(2011, 6, 15, 10, 0, 0));
    RecordTrafficSample(file, -80, MakeDateTime(2011, 6, 15, 10, 0, 1));
    EXPECT_EQ(Other("最高"), "50");
    EXPECT_EQ(Other("今日"), "-30");
    EXPECT_EQ(Other("2011"), "-30");
    EXPECT_EQ(Recent(10), "-29");
    EXPECT_EQ(Other("秒数"), "2");
}

TEST_F(TrafficHistory, TotalsGoPast32Bits) {
    RecordTrafficSample(file, 1, MakeDateTime(2011, 6, 15, 10, 0, 0));
    Store(file, "其他", "今年", "2147483647");
    Store(file, "全部", "10", "4294967296");
    RecordTrafficSample(file, 1000, MakeDateTime(2011, 6, 15, 10, 0, 1));
    EXPECT_EQ(Other("今年"), "2147484647");
    EXPECT_EQ(AllTime(10), "4294968296");
}

// Strictly greater moves the record; a record taken at midnight holds the date alone.
TEST_F(TrafficHistory, RecordMovesOnlyOnStrictlyGreaterTraffic) {
    RecordTrafficSample(file, 300, MakeDateTime(2011, 6, 14, 0, 0, 0));
    RecordTrafficSample(file, 300, MakeDateTime(2011, 6, 14, 0, 0, 1));
    EXPECT_EQ(Other("时间"), "2011年6月14日");
    RecordTrafficSample(file, 301, MakeDateTime(2011, 6, 14, 10, 5, 0));
    EXPECT_EQ(Other("最高"), "301");
    EXPECT_EQ(Other("时间"), "2011年6月14日10时5分");
}

TEST_F(TrafficHistory, NewDaySetsEverySlotToOneBeforeAddingTheTick) {
    RecordTrafficSample(file, 70, MakeDateTime(2011, 6, 14, 23, 59, 59));
    RecordTrafficSample(file, 40, MakeDateTime(2011, 6, 15, 0, 0, 0));
    EXPECT_EQ(Other("昨天"), "15");
    EXPECT_EQ(Other("今日"), "40");
    EXPECT_EQ(Recent(0), "41");
    for (int hour = 1; hour < 24; ++hour) {
        EXPECT_EQ(Recent(hour), "1") << hour;
    }
    EXPECT_EQ(AllTime(23), "70");
    EXPECT_EQ(Other("本月"), "110");
}

TEST_F(TrafficHistory, NewYearKeepsEachYearsTotalUnderItsOwnKey) {
    RecordTrafficSample(file, 5, MakeDateTime(2011, 12, 31, 23, 59, 59));
    RecordTrafficSample(file, 7, MakeDateTime(2012, 1, 1, 0, 0, 0));
    EXPECT_EQ(Other("2011"), "5");
    EXPECT_EQ(Other("2012"), "7");
    EXPECT_EQ(Other("去年"), "2012");
    EXPECT_EQ(Other("上月"), "1");
    for (const char* total : {"今日", "本月", "今年"}) {
        EXPECT_EQ(Other(total), "7") << total;
    }
}

TEST_F(TrafficHistory, WeekRunsFromMondayToTheEndOfSunday) {
    RecordTrafficSample(file, 1, MakeDateTime(2011, 6, 13, 0, 0, 0));     // Monday
    RecordTrafficSample(file, 2, MakeDateTime(2011, 6, 19, 0, 0, 1));     // Sunday
    RecordTrafficSample(file, 4, MakeDateTime(2011, 6, 19, 23, 59, 59));  // Sunday, last second
    EXPECT_EQ(Other("本周"), "7");
    RecordTrafficSample(file, 8, MakeDateTime(2011, 6, 20, 0, 0, 0));  // next Monday
    EXPECT_EQ(Other("周一"), "2011年6月20日");
    EXPECT_EQ(Other("本周"), "8");
    RecordTrafficSample(file, 16, MakeDateTime(2011, 8, 4, 9, 0, 0));  // weeks later, a Thursday
    EXPECT_EQ(Other("周一"), "2011年8月1日");
    EXPECT_EQ(Other("本周"), "16");
}

TEST_F(TrafficHistory, UnreadableOrLaterWeekMarkerStartsANewWeek) {
    RecordTrafficSample(file, 3, MakeDateTime(2011, 6, 14, 9, 0, 0));
    Store(file, "其他", "周一", "last monday");
    RecordTrafficSample(file, 5, MakeDateTime(2011, 6, 14, 9, 0, 1));
    EXPECT_EQ(Other("周一"), "2011年6月13日");
    EXPECT_EQ(Other("本周"), "5");

    // The clock was set back to the second before the week began: the total of that week must not
    // absorb this one.
    Store(file, "其他", "周一", "2011年6月20日");
    RecordTrafficSample(file, 7, MakeDateTime(2011, 6, 19, 23, 59, 59));
    EXPECT_EQ(Other("周一"), "2011年6月13日");
    EXPECT_EQ(Other("本周"), "7");
}

TEST(StartOfWeek, IsTheMondayAcrossMonthAndYearEnds) {
    EXPECT_EQ(StartOfWeek(MakeDateTime(2012, 1, 1, 18, 0, 0)), MakeDateTime(2011, 12, 26));  // Sunday
    EXPECT_EQ(StartOfWeek(MakeDateTime(2012, 3, 1, 0, 0, 0)), MakeDateTime(2012, 2, 27));    // Thursday
    EXPECT_EQ(StartOfWeek(MakeDateTime(2011, 6, 13, 23, 59, 59)), MakeDateTime(2011, 6, 13));
    EXPECT_EQ(StartOfWeek(MakeDateTime(1899, 12, 29, 6, 0, 0)), MakeDateTime(1899, 12, 25));
}

}  // namespace
}  // namespace quorell
