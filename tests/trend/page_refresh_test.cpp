#include <gtest/gtest.h>

#include <string>

#include "app/model/line_chart.h"
#include "history/history_files.h"
#include "support/history_test_files.h"
#include "support/temp_dir.h"
#include "trend/page_refresh.h"

namespace quorell {
namespace {

using testing::Store;

class UsageCharts : public ::testing::Test {
protected:
    testing::TempDir directory;
    std::filesystem::path file = HistoryFilePath(directory.Path(), kMemoryHistoryFileName);
    LineChartModel recent;
    LineChartModel allTime;
};

TEST_F(UsageCharts, MissingFileShowsEveryPointAtOne) {
    RefreshUsageCharts(file, recent, allTime);
    for (int point = 0; point < LineChartModel::kPointCount; ++point) {
        EXPECT_EQ(recent.Value(point), 1) << point;
        EXPECT_EQ(allTime.Value(point), 1) << point;
    }
    EXPECT_EQ(recent.VerticalMaximum(), 100);
}

TEST_F(UsageCharts, PointsAreTruncatedAveragesOfTheirOwnHourAndSection) {
    Store(file, "最近", "0", "85");
    Store(file, "最近", "0_A", "3");
    Store(file, "最近", "23", "7");
    Store(file, "最近", "23_A", "2");
    Store(file, "全部", "0", "1000");
    Store(file, "全部", "0_A", "10");
    RefreshUsageCharts(file, recent, allTime);
    EXPECT_EQ(recent.Value(0), 28);
    EXPECT_EQ(recent.Value(23), 3);
    EXPECT_EQ(recent.Value(1), 1);
    EXPECT_EQ(allTime.Value(0), 100);
    EXPECT_EQ(allTime.Value(23), 1);
}

TEST_F(UsageCharts, CountStoredAsZeroShowsZeroInsteadOfEndingTheProgram) {
    Store(file, "最近", "4", "300");
    Store(file, "最近", "4_A", "0");
    Store(file, "全部", "4_A", "none");
    RefreshUsageCharts(file, recent, allTime);
    EXPECT_EQ(recent.Value(4), 0);
    EXPECT_EQ(allTime.Value(4), 0);
}

TEST_F(UsageCharts, RefreshReplacesWhatAnEarlierRefreshShowed) {
    Store(file, "最近", "6", "50");
    RefreshUsageCharts(file, recent, allTime);
    EXPECT_EQ(recent.Value(6), 50);
    Store(file, "最近", "6", "20");
    RefreshUsageCharts(file, recent, allTime);
    EXPECT_EQ(recent.Value(6), 20);
}

class TrafficCharts : public ::testing::Test {
protected:
    testing::TempDir directory;
    std::filesystem::path file = HistoryFilePath(directory.Path(), kReceiveHistoryFileName);
    LineChartModel recent;
    LineChartModel allTime;

    TrafficPageTexts Refresh() { return RefreshTrafficCharts(file, recent, allTime); }
};

TEST_F(TrafficCharts, MissingFileShowsTheDefaults) {
    const TrafficPageTexts texts = Refresh();
    for (int point = 0; point < LineChartModel::kPointCount; ++point) {
        EXPECT_DOUBLE_EQ(recent.Value(point), 1.0 / 1024) << point;
        EXPECT_DOUBLE_EQ(allTime.Value(point), 1.0 / 1024) << point;
    }
    EXPECT_EQ(texts.record, "1 Kb");
    EXPECT_EQ(texts.recordTime, "Null");
    EXPECT_EQ(texts.average, "24 Kb");
    EXPECT_EQ(texts.day, "0 Mb");
    EXPECT_EQ(texts.week, "0 Mb");
    EXPECT_EQ(texts.month, "0 Mb");
    EXPECT_EQ(texts.year, "0 Mb");
    EXPECT_EQ(texts.all, "0 Mb");
    EXPECT_EQ(recent.VerticalMaximum(), 100);
    EXPECT_EQ(allTime.VerticalMaximum(), 100);
}

TEST_F(TrafficCharts, SlotsShowInMbAndTotalsAsWholeMb) {
    Store(file, "最近", "0", "1536");
    Store(file, "最近", "23", "512");
    Store(file, "全部", "5", "3072");
    Store(file, "其他", "今日", "1536");
    Store(file, "其他", "本周", "2047");
    Store(file, "其他", "本月", "2048");
    Store(file, "其他", "今年", "37888");
    const TrafficPageTexts texts = Refresh();
    EXPECT_DOUBLE_EQ(recent.Value(0), 1.5);
    EXPECT_DOUBLE_EQ(recent.Value(23), 0.5);
    EXPECT_DOUBLE_EQ(allTime.Value(5), 3.0);
    EXPECT_EQ(texts.day, "1 Mb");
    EXPECT_EQ(texts.week, "1 Mb");
    EXPECT_EQ(texts.month, "2 Mb");
    EXPECT_EQ(texts.year, "37 Mb");
}

TEST_F(TrafficCharts, AverageAndAllTimeTotalComeFromTheAllTimeSlots) {
    for (int hour = 0; hour < 24; ++hour) {
        Store(file, "全部", std::to_string(hour), "1000");
        Store(file, "最近", std::to_string(hour), "999999");
    }
    Store(file, "其他", "秒数", "7");
    const TrafficPageTexts texts = Refresh();
    EXPECT_EQ(texts.average, "3428 Kb");  // 24000 / 7
    EXPECT_EQ(texts.all, "23 Mb");        // 24000 / 1024
}

TEST_F(TrafficCharts, TotalBeyond32BitsStaysRight) {
    for (int hour = 0; hour < 24; ++hour) {
        Store(file, "全部", std::to_string(hour), "1073741824");  // 2^30 K each
    }
    Store(file, "其他", "秒数", "3");
    Store(file, "其他", "今年", "4398046511104");
    const TrafficPageTexts texts = Refresh();
    EXPECT_EQ(texts.all, "25165824 Mb");       // 24 * 2^30 / 1024
    EXPECT_EQ(texts.average, "8589934592 Kb");  // 24 * 2^30 / 3
    EXPECT_EQ(texts.year, "4294967296 Mb");
}

TEST_F(TrafficCharts, RecordAndItsTimeAreShownAsStored) {
    Store(file, "其他", "最高", "250abc");
    Store(file, "其他", "时间", "2011年6月13日14时5分9秒");
    const TrafficPageTexts texts = Refresh();
    EXPECT_EQ(texts.record, "250abc Kb");
    EXPECT_EQ(texts.recordTime, "2011年6月13日14时5分9秒");
}

TEST_F(TrafficCharts, MissingOtherSectionShowsDefaultRecordAndTime) {
    Store(file, "全部", "3", "2048");
    const TrafficPageTexts texts = Refresh();
    EXPECT_EQ(texts.record, "1 Kb");
    EXPECT_EQ(texts.recordTime, "Null");
}

TEST_F(TrafficCharts, TickCountStoredAsZeroShowsAZeroAverage) {
    Store(file, "全部", "3", "2048");
    Store(file, "其他", "秒数", "0");
    EXPECT_EQ(Refresh().average, "0 Kb");
}

TEST_F(TrafficCharts, VerticalMaximumFollowsTheLastPointAbove100) {
    Store(file, "最近", "3", std::to_string(60000LL * 1024));
    Store(file, "最近", "20", std::to_string(200LL * 1024));
    Store(file, "全部", "7", std::to_string(600000LL * 1024));
    Refresh();
    EXPECT_EQ(recent.VerticalMaximum(), 500);
    EXPECT_EQ(allTime.VerticalMaximum(), 1000000);

    // A refresh in which no point exceeds 100 keeps the maximum that the last one set.
    Store(file, "最近", "3", "0");
    Store(file, "最近", "20", "0");
    Refresh();
    EXPECT_EQ(recent.VerticalMaximum(), 500);
}

TEST_F(TrafficCharts, SameValueStepsTheTwoChartsDifferently) {
    Store(file, "最近", "9", std::to_string(600000LL * 1024));
    Store(file, "全部", "9", std::to_string(600000LL * 1024));
    Refresh();
    EXPECT_EQ(recent.VerticalMaximum(), 100000);
    EXPECT_EQ(allTime.VerticalMaximum(), 1000000);
}

TEST_F(TrafficCharts, NegativeAndHugeSlotsAreClampedByTheChart) {
    Store(file, "最近", "1", "-5000");
    Store(file, "最近", "2", "9223372036854775807");
    Refresh();
    EXPECT_EQ(recent.Value(1), 0);
    EXPECT_EQ(recent.Value(2), 10000000);
    EXPECT_EQ(recent.VerticalMaximum(), 100000);  // stepped by the clamped value of point 2
}

}  // namespace
}  // namespace quorell
