#include <gtest/gtest.h>

#include "history/history_files.h"
#include "history/history_readers.h"
#include "support/history_test_files.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using testing::Store;

class HistoryReaders : public ::testing::Test {
protected:
    testing::TempDir directory;
    std::filesystem::path cpu = HistoryFilePath(directory.Path(), kCpuHistoryFileName);
    std::filesystem::path send = HistoryFilePath(directory.Path(), kSendHistoryFileName);
};

TEST_F(HistoryReaders, MissingFileReadsAsDefaults) {
    const UsageSlots usage = ReadUsageSlots(cpu, kRecentSection);
    const HourSlots traffic = ReadTrafficSlots(send, kAllTimeSection);
    const TrafficSummary summary = ReadTrafficSummary(send);
    for (int hour = 0; hour < kHourSlotCount; ++hour) {
        EXPECT_EQ(usage.sums[hour], 1);
        EXPECT_EQ(usage.counts[hour], 1);
        EXPECT_EQ(traffic[hour], 1);
    }
    EXPECT_EQ(summary.record, "1");
    EXPECT_EQ(summary.recordTime, "Null");
    EXPECT_EQ(summary.tickCount, 1);
    EXPECT_EQ(summary.dayTotal, 1);
    EXPECT_EQ(summary.yearTotal, 1);
    EXPECT_FALSE(std::filesystem::exists(send));
}

TEST_F(HistoryReaders, SlotsAreReadByHourFromTheirOwnSection) {
    Store(cpu, "最近", "0", "90");
    Store(cpu, "最近", "0_A", "3");
    Store(cpu, "最近", "23", "8");
    Store(cpu, "全部", "0", "5000");
    const UsageSlots recent = ReadUsageSlots(cpu, kRecentSection);
    EXPECT_EQ(recent.sums[0], 90);
    EXPECT_EQ(recent.counts[0], 3);
    EXPECT_EQ(recent.sums[23], 8);
    EXPECT_EQ(recent.counts[23], 1);
    EXPECT_EQ(recent.sums[1], 1);
    EXPECT_EQ(ReadUsageSlots(cpu, kAllTimeSection).sums[0], 5000);
}

TEST_F(HistoryReaders, SummaryKeepsRecordTextsAsStoredAndReadsNumbersLeniently) {
    Store(send, "其他", "最高", "12abc");
    Store(send, "其他", "时间", "2011年6月13日14时5分9秒");
    Store(send, "其他", "秒数", "0");
    Store(send, "其他", "今日", "1536");
    Store(send, "其他", "本周", "x");
    Store(send, "其他", "本月", "8589934592");
    Store(send, "全部", "12", "-7");
    const TrafficSummary summary = ReadTrafficSummary(send);
    EXPECT_EQ(summary.record, "12abc");
    EXPECT_EQ(summary.recordTime, "2011年6月13日14时5分9秒");
    EXPECT_EQ(summary.tickCount, 0);
    EXPECT_EQ(summary.dayTotal, 1536);
    EXPECT_EQ(summary.weekTotal, 0);
    EXPECT_EQ(summary.monthTotal, 8589934592);
    EXPECT_EQ(summary.yearTotal, 1);
    EXPECT_EQ(ReadTrafficSlots(send, kAllTimeSection)[12], -7);
}

TEST_F(HistoryReaders, MissingOtherSectionReadsAsDefaults) {
    Store(send, "最近", "3", "2048");
    const TrafficSummary summary = ReadTrafficSummary(send);
    EXPECT_EQ(summary.record, "1");
    EXPECT_EQ(summary.recordTime, "Null");
    EXPECT_EQ(ReadTrafficSlots(send, kRecentSection)[3], 2048);
}

}  // namespace
}  // namespace quorell
