#include <gtest/gtest.h>

#include "history/history_files.h"
#include "history/usage_history.h"
#include "runtime/date_time.h"
#include "support/history_test_files.h"
#include "support/system_ini_store.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using testing::IsAbsent;
using testing::Store;
using testing::Stored;

class UsageHistory : public ::testing::Test {
protected:
    testing::TempDir directory;
    testing::SystemIniStore store;
    IniFile file{store, HistoryFilePath(directory.Path(), kCpuHistoryFileName)};
};

TEST_F(UsageHistory, FirstSampleCreatesFileWithStampSumAndCountInBothSections) {
    RecordHourlySample(file, 37, MakeDateTime(2011, 6, 13, 14, 5, 0));
    EXPECT_EQ(Stored(file, "今天", "14"), "13");
    for (const char* section : {"最近", "全部"}) {
        EXPECT_EQ(Stored(file, section, "14"), "37") << section;
        EXPECT_EQ(Stored(file, section, "14_A"), "1") << section;
    }
    EXPECT_TRUE(IsAbsent(file, "最近", "15"));
}

// Plain integers ("105", never "105.0"); a measured -1 (idle read just after the clock) lowers the sum.
TEST_F(UsageHistory, SamplesOfOneHourAddUpAsPlainIntegers) {
    RecordHourlySample(file, 100, MakeDateTime(2011, 6, 13, 8, 59, 57));
    RecordHourlySample(file, 5, MakeDateTime(2011, 6, 13, 8, 59, 58));
    EXPECT_EQ(Stored(file, "最近", "8"), "105");
    RecordHourlySample(file, -1, MakeDateTime(2011, 6, 13, 8, 59, 59));
    EXPECT_EQ(Stored(file, "最近", "8"), "104");
    EXPECT_EQ(Stored(file, "全部", "8_A"), "3");
}

// Starting a slot on a new day clears that slot's recent sum and count and nothing else, so the
// recent section keeps the last 24 hours.
TEST_F(UsageHistory, StartingAStaleSlotClearsOnlyThatSlot) {
    RecordHourlySample(file, 20, MakeDateTime(2011, 6, 13, 13, 10, 0));
    RecordHourlySample(file, 30, MakeDateTime(2011, 6, 13, 14, 10, 0));
    RecordHourlySample(file, 50, MakeDateTime(2011, 6, 14, 13, 10, 0));
    EXPECT_EQ(Stored(file, "今天", "13"), "14");
    EXPECT_EQ(Stored(file, "最近", "13"), "50");
    EXPECT_EQ(Stored(file, "最近", "13_A"), "1");
    EXPECT_EQ(Stored(file, "最近", "14"), "30");
    EXPECT_EQ(Stored(file, "全部", "13"), "70");
    EXPECT_EQ(Stored(file, "全部", "13_A"), "2");

    Store(file, "今天", "13", "014");  // equal as a number, not byte for byte
    RecordHourlySample(file, 2, MakeDateTime(2011, 6, 14, 13, 20, 0));
    EXPECT_EQ(Stored(file, "最近", "13"), "2");
}

// A file kept by a copy of the program that stamps slots with the day alone: such a slot is judged by
// its day, and a slot that copy started again after us (its day no longer agrees with our full date)
// is not taken for a stale one.
TEST_F(UsageHistory, SlotsStampedWithTheDayAloneAreJudgedByTheDay) {
    Store(file, "今天", "10", "13");
    Store(file, "最近", "10", "40");
    Store(file, "最近", "10_A", "1");
    RecordHourlySample(file, 20, MakeDateTime(2011, 6, 13, 10, 30, 0));
    EXPECT_EQ(Stored(file, "最近", "10"), "60");

    RecordHourlySample(file, 30, MakeDateTime(2011, 6, 13, 11, 0, 0));
    EXPECT_EQ(Stored(file, "日期", "11"), "2011年6月13日");
    // The other copy starts slot 11 on the next day and knows nothing of "日期".
    Store(file, "今天", "11", "14");
    Store(file, "最近", "11", "5");
    Store(file, "最近", "11_A", "1");
    RecordHourlySample(file, 7, MakeDateTime(2011, 6, 14, 11, 30, 0));
    EXPECT_EQ(Stored(file, "最近", "11"), "12");
    EXPECT_EQ(Stored(file, "最近", "11_A"), "2");
}

// Hour and day come from the one reading of the clock that the tick passes in.
TEST_F(UsageHistory, TicksAroundMidnightStampTheirOwnDay) {
    RecordHourlySample(file, 11, MakeDateTime(2011, 6, 13, 23, 59, 59));
    RecordHourlySample(file, 22, MakeDateTime(2011, 6, 14, 0, 0, 0));
    EXPECT_EQ(Stored(file, "今天", "23"), "13");
    EXPECT_EQ(Stored(file, "今天", "0"), "14");
    EXPECT_EQ(Stored(file, "最近", "0"), "22");
}

TEST_F(UsageHistory, SumsGoPast32BitsAndDamagedValuesRestartOrHold) {
    Store(file, "今天", "5", "13");
    Store(file, "最近", "5", "abc");
    Store(file, "最近", "5_A", "2147483647");
    Store(file, "全部", "5", "9223372036854775807");
    RecordHourlySample(file, 100, MakeDateTime(2011, 6, 13, 5, 0, 0));
    EXPECT_EQ(Stored(file, "最近", "5"), "100");
    EXPECT_EQ(Stored(file, "最近", "5_A"), "2147483648");
    EXPECT_EQ(Stored(file, "全部", "5"), "9223372036854775807");
}

}  // namespace
}  // namespace quorell
