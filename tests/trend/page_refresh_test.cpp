#include <gtest/gtest.h>

#include <string>

#include "history/history_files.h"
#include "support/history_test_files.h"
#include "support/system_ini_store.h"
#include "support/temp_dir.h"
#include "trend/page_refresh.h"
#include "ui_model/line_chart.h"

namespace quorell {
namespace {

using testing::Store;

class PageRefresh : public ::testing::Test {
protected:
    testing::TempDir directory;
    testing::SystemIniStore store;
    IniFile usage{store, HistoryFilePath(directory.Path(), kMemoryHistoryFileName)};
    IniFile traffic{store, HistoryFilePath(directory.Path(), kReceiveHistoryFileName)};
    LineChartModel recent;
    LineChartModel allTime;

    TrafficPageTexts RefreshTraffic() { return RefreshTrafficCharts(traffic, recent, allTime); }
};

TEST_F(PageRefresh, UsagePointsAreTruncatedAveragesWithOneForMissingKeys) {
    Store(usage, "最近", "0", "85");
    Store(usage, "最近", "0_A", "3");
    Store(usage, "全部", "23", "1000");
    Store(usage, "全部", "23_A", "10");
    RefreshUsageCharts(usage, recent, allTime);
    EXPECT_EQ(recent.Value(0), 28);
    EXPECT_EQ(recent.Value(1), 1);
    EXPECT_EQ(allTime.Value(23), 100);
    EXPECT_EQ(allTime.Value(0), 1);
    EXPECT_EQ(recent.VerticalMaximum(), 100);
}

// A count stored as 0 by hand would divide by zero; the point shows 0 and the program goes on.
TEST_F(PageRefresh, UsageCountOfZeroShowsZero) {
    Store(usage, "最近", "4", "300");
    Store(usage, "最近", "4_A", "0");
    RefreshUsageCharts(usage, recent, allTime);
    EXPECT_EQ(recent.Value(4), 0);
}

TEST_F(PageRefresh, TrafficWithoutAFileShowsTheDefaults) {
    const TrafficPageTexts texts = RefreshTraffic();
    EXPECT_DOUBLE_EQ(recent.Value(0), 1.0 / 1024);
    EXPECT_DOUBLE_EQ(allTime.Value(23), 1.0 / 1024);
    EXPECT_EQ(texts.record, "1 Kb");
    EXPECT_EQ(texts.recordTime, "Null");
    EXPECT_EQ(texts.average, "24 Kb");  // 24 missing slots of 1, divided by a missing count of 1
    for (const std::string* total : {&texts.day, &texts.week, &texts.month, &texts.year, &texts.all}) {
        EXPECT_EQ(*total, "0 Mb");
    }
}

TEST_F(PageRefresh, TrafficShowsSlotsInMbAndTotalsInWholeMb) {
    Store(traffic, "最近", "0", "1536");
    Store(traffic, "其他", "今日", "1536");
    Store(traffic, "其他", "本周", "2047");
    Store(traffic, "其他", "本月", "2048");
    Store(traffic, "其他", "今年", "4398046511104");
    for (int hour = 0; hour < 24; ++hour) {
        Store(traffic, "全部", std::to_string(hour), "1073741824");  // 2^30 K each: the sum passes 2^32
    }
    Store(traffic, "其他", "秒数", "3");
    const TrafficPageTexts texts = RefreshTraffic();
    EXPECT_DOUBLE_EQ(recent.Value(0), 1.5);
    EXPECT_EQ(texts.day, "1 Mb");
    EXPECT_EQ(texts.week, "1 Mb");
    EXPECT_EQ(texts.month, "2 Mb");
    EXPECT_EQ(texts.year, "4294967296 Mb");
    EXPECT_EQ(texts.all, "25165824 Mb");
    EXPECT_EQ(texts.average, "8589934592 Kb");
}

TEST_F(PageRefresh, TrafficRecordTextsAreShownAsStoredAndAZeroTickCountGivesZero) {
    Store(traffic, "其他", "最高", "250abc");
    Store(traffic, "其他", "时间", "2011年6月13日14时5分9秒");
    Store(traffic, "其他", "秒数", "0");
    const TrafficPageTexts texts = RefreshTraffic();
    EXPECT_EQ(texts.record, "250abc Kb");
    EXPECT_EQ(texts.recordTime, "2011年6月13日14时5分9秒");
    EXPECT_EQ(texts.average, "0 Kb");
}

TEST_F(PageRefresh, TrafficWithoutTheOtherSectionShowsDefaultRecordAndTime) {
    Store(traffic, "全部", "3", "2048");
    const TrafficPageTexts texts = RefreshTraffic();
    EXPECT_EQ(texts.record, "1 Kb");
    EXPECT_EQ(texts.recordTime, "Null");
}

TEST_F(PageRefresh, TrafficMaximumFollowsTheLastPointAbove100) {
    Store(traffic, "最近", "3", std::to_string(60000LL * 1024));
    Store(traffic, "最近", "20", std::to_string(200LL * 1024));
    Store(traffic, "全部", "7", std::to_string(600000LL * 1024));
    RefreshTraffic();
    EXPECT_EQ(recent.VerticalMaximum(), 500);
    EXPECT_EQ(allTime.VerticalMaximum(), 1000000);

    // The same value on the 24-hour chart steps only to 100000; a negative slot is shown as 0.
    Store(traffic, "最近", "20", std::to_string(600000LL * 1024));
    Store(traffic, "最近", "21", "-5000");
    RefreshTraffic();
    EXPECT_EQ(recent.VerticalMaximum(), 100000);
    EXPECT_EQ(recent.Value(21), 0);

    // A refresh in which no point exceeds 100 keeps what the last one set.
    Store(traffic, "最近", "3", "0");
    Store(traffic, "最近", "20", "0");
    RefreshTraffic();
    EXPECT_EQ(recent.VerticalMaximum(), 100000);
}

}  // namespace
}  // namespace quorell
