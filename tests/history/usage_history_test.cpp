#include <gtest/gtest.h>

#include "history/history_files.h"
#include "history/usage_history.h"
#include "support/history_test_files.h"
#include "support/temp_dir.h"
#include "runtime/date_time.h"

namespace quorell {
namespace {

using testing::IsAbsent;
using testing::Store;
using testing::Stored;

class UsageHistory : public ::testing::Test {
protected:
    testing::TempDir directory;
    std::filesystem::path file = HistoryFilePath(directory.Path(), kCpuHistoryFileName);
};

TEST_F(UsageHistory, FirstSampleCreatesFileWithStampSumAndCountInBothSections) {
    ASSERT_FALSE(std::filesystem::exists(file));
    RecordHourlySample(file, 37, MakeDateTime(2011, 6, 13, 14, 5, 0));

    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(Stored(file, "今天", "14"), "13");
    EXPECT_EQ(Stored(file, "最近", "14"), "37");
    EXPECT_EQ(Stored(file, "最近", "14_A"), "1");
    EXPECT_EQ(Stored(file, "全部", "14"), "37");
    EXPECT_EQ(Stored(file, "全部", "14_A"), "1");
    EXPECT_TRUE(IsAbsent(file, "今天", "13"));
    EXPECT_TRUE(IsAbsent(file, "最近", "15"));
}

TEST_F(UsageHistory, SumsAreWrittenAsPlainIntegers) {
    Store(file, "今天", "9", "13");
    Store(file, "最近", "9", "100");
    Store(file, "最近", "9_A", "4");
    RecordHourlySample(file, 5, MakeDateTime(2011, 6, 13, 9, 30, 0));
    EXPECT_EQ(Stored(file, "最近", "9"), "105");
    EXPECT_EQ(Stored(file, "最近", "9_A"), "5");
}

TEST_F(UsageHistory, SamplesOfOneHourAddUpInTheirSlot) {
    for (int second = 0; second < 3; ++second) {
        RecordHourlySample(file, 10 + second, MakeDateTime(2011, 6, 13, 8, 59, 57 + second));
    }
    EXPECT_EQ(Stored(file, "最近", "8"), "33");
    EXPECT_EQ(Stored(file, "最近", "8_A"), "3");
    EXPECT_EQ(Stored(file, "全部", "8"), "33");
    EXPECT_EQ(Stored(file, "全部", "8_A"), "3");
}

TEST_F(UsageHistory, FailedSampleIsRecordedAsMinusOne) {
    RecordHourlySample(file, -1, MakeDateTime(2011, 6, 13, 3, 0, 0));
    RecordHourlySample(file, 4, MakeDateTime(2011, 6, 13, 3, 0, 1));
    EXPECT_EQ(Stored(file, "最近", "3"), "3");
    EXPECT_EQ(Stored(file, "最近", "3_A"), "2");
}

// Starting a slot on a new day clears that slot's recent sum and count, and nothing else.
TEST_F(UsageHistory, StartingAStaleSlotClearsOnlyThatSlot) {
    RecordHourlySample(file, 20, MakeDateTime(2011, 6, 13, 13, 10, 0));
    RecordHourlySample(file, 30, MakeDateTime(2011, 6, 13, 14, 10, 0));
    RecordHourlySample(file, 50, MakeDateTime(2011, 6, 14, 13, 10, 0));

    EXPECT_EQ(Stored(file, "今天", "13"), "14");
    EXPECT_EQ(Stored(file, "最近", "13"), "50");
    EXPECT_EQ(Stored(file, "最近", "13_A"), "1");
    // Yesterday's 14 o'clock slot is still one of the last 24 hours.
    EXPECT_EQ(Stored(file, "今天", "14"), "13");
    EXPECT_EQ(Stored(file, "最近", "14"), "30");
    EXPECT_EQ(Stored(file, "最近", "14_A"), "1");
    // The all-time slot keeps both days.
    EXPECT_EQ(Stored(file, "全部", "13"), "70");
    EXPECT_EQ(Stored(file, "全部", "13_A"), "2");
}

TEST_F(UsageHistory, StaleSlotRestartsEvenWhenItsStampIsMissingOrForeign) {
    Store(file, "最近", "7", "900");
    Store(file, "最近", "7_A", "9");
    RecordHourlySample(file, 1, MakeDateTime(2011, 6, 13, 7, 0, 0));
    EXPECT_EQ(Stored(file, "最近", "7"), "1");
    EXPECT_EQ(Stored(file, "最近", "7_A"), "1");

    Store(file, "今天", "7", "013");  // not "13" byte for byte
    RecordHourlySample(file, 2, MakeDateTime(2011, 6, 13, 7, 0, 1));
    EXPECT_EQ(Stored(file, "今天", "7"), "13");
    EXPECT_EQ(Stored(file, "最近", "7"), "2");
}

// Only the day of the month is compared: a month later, on the same day number, the slot carries on.
TEST_F(UsageHistory, SameDayNumberAMonthLaterDoesNotRestartTheSlot) {
    RecordHourlySample(file, 40, MakeDateTime(2011, 6, 13, 10, 0, 0));
    RecordHourlySample(file, 60, MakeDateTime(2011, 7, 13, 10, 0, 0));
    EXPECT_EQ(Stored(file, "最近", "10"), "100");
    EXPECT_EQ(Stored(file, "最近", "10_A"), "2");
}

// The hour and the day stamp come from one reading of the clock, so the last second of a day and the
// first of the next land in different slots with their own day.
TEST_F(UsageHistory, TicksAroundMidnightStampTheirOwnDay) {
    RecordHourlySample(file, 11, MakeDateTime(2011, 6, 13, 23, 59, 59));
    RecordHourlySample(file, 22, MakeDateTime(2011, 6, 14, 0, 0, 0));
    EXPECT_EQ(Stored(file, "今天", "23"), "13");
    EXPECT_EQ(Stored(file, "今天", "0"), "14");
    EXPECT_EQ(Stored(file, "最近", "23"), "11");
    EXPECT_EQ(Stored(file, "最近", "0"), "22");
}

TEST_F(UsageHistory, SumsAndCountsGoPast32Bits) {
    Store(file, "今天", "5", "13");
    Store(file, "全部", "5", "2147483600");
    Store(file, "全部", "5_A", "2147483647");
    RecordHourlySample(file, 100, MakeDateTime(2011, 6, 13, 5, 0, 0));
    EXPECT_EQ(Stored(file, "全部", "5"), "2147483700");
    EXPECT_EQ(Stored(file, "全部", "5_A"), "2147483648");
}

TEST_F(UsageHistory, DamagedValuesRestartOrHoldInsteadOfWrapping) {
    Store(file, "今天", "5", "13");
    Store(file, "最近", "5", "abc");
    Store(file, "最近", "5_A", "12abc");
    Store(file, "全部", "5", "9223372036854775807");
    Store(file, "全部", "5_A", "99999999999999999999999");
    RecordHourlySample(file, 100, MakeDateTime(2011, 6, 13, 5, 0, 0));
    EXPECT_EQ(Stored(file, "最近", "5"), "100");
    EXPECT_EQ(Stored(file, "最近", "5_A"), "13");
    EXPECT_EQ(Stored(file, "全部", "5"), "9223372036854775807");
    EXPECT_EQ(Stored(file, "全部", "5_A"), "9223372036854775807");
}

TEST(HistoryFiles, NamesAreJoinedToTheRunDirectory) {
    const std::filesystem::path run = "/opt/quorell";
    const HistoryFiles files = HistoryFilesIn(run);
    EXPECT_EQ(files.cpu, run / "Cpu.FDB");
    EXPECT_EQ(files.memory, run / std::filesystem::path(u8"内存.FDB"));
    EXPECT_EQ(files.receive, run / std::filesystem::path(u8"接收.FDB"));
    EXPECT_EQ(files.send, run / std::filesystem::path(u8"发送.FDB"));
    EXPECT_EQ(files.send.parent_path(), run);
}

}  // namespace
}  // namespace quorell
