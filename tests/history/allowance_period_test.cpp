#include <gtest/gtest.h>

#include <string>

#include "history/allowance_period.h"
#include "history/history_files.h"
#include "runtime/date_time.h"
#include "support/history_test_files.h"
#include "support/system_ini_store.h"
#include "support/temp_dir.h"

namespace quorell {
namespace {

using testing::Store;
using testing::Stored;

TEST(AllowancePeriod, RunsFromTheSettlementDayMidnightToTheSameDayOfTheNextMonth) {
    EXPECT_EQ(PeriodStart(MakeDateTime(2026, 12, 10, 12), 1), MakeDateTime(2026, 12, 1));
    EXPECT_EQ(PeriodStart(MakeDateTime(2026, 12, 15), 15), MakeDateTime(2026, 12, 15));
    EXPECT_EQ(PeriodStart(MakeDateTime(2026, 12, 14, 23, 59, 59), 15), MakeDateTime(2026, 11, 15));
    // Across the year's end, and after months of 28, 29, 30 and 31 days.
    EXPECT_EQ(PeriodStart(MakeDateTime(2027, 1, 27, 23), 28), MakeDateTime(2026, 12, 28));
    EXPECT_EQ(PeriodStart(MakeDateTime(2027, 3, 1), 28), MakeDateTime(2027, 2, 28));
    EXPECT_EQ(PeriodStart(MakeDateTime(2028, 2, 29), 28), MakeDateTime(2028, 2, 28));
    EXPECT_EQ(PeriodStart(MakeDateTime(2026, 5, 1), 1), MakeDateTime(2026, 5, 1));
    EXPECT_EQ(PeriodStart(MakeDateTime(2026, 4, 30, 23, 59, 59), 1), MakeDateTime(2026, 4, 1));
    EXPECT_EQ(PeriodStart(MakeDateTime(2026, 1, 31), 28), MakeDateTime(2026, 1, 28));
    EXPECT_EQ(NextPeriodStart(MakeDateTime(2026, 12, 28)), MakeDateTime(2027, 1, 28));
    EXPECT_EQ(NextPeriodStart(MakeDateTime(2027, 1, 28)), MakeDateTime(2027, 2, 28));
    // A day the settings would refuse never makes a date that does not exist.
    EXPECT_EQ(PeriodStart(MakeDateTime(2027, 3, 5), 31), MakeDateTime(2027, 2, 28));
    EXPECT_EQ(PeriodStart(MakeDateTime(2027, 3, 5), 0), MakeDateTime(2027, 3, 1));
}

class PeriodTrafficFile : public ::testing::Test {
protected:
    // One tick of `k` K at `now` with the settlement day 15; true when it started a new period.
    bool Tick(std::int64_t k, DateTime now) { return RecordPeriodTraffic(file, k, now, 15).started; }
    std::string Total() const { return Stored(path, "其他", "本期"); }
    std::string Start() const { return Stored(path, "其他", "本期开始"); }

    testing::TempDir directory;
    std::filesystem::path path = HistoryFilePath(directory.Path(), kSendHistoryFileName);
    testing::SystemIniStore store;
    IniFile file{store, path};
};

TEST_F(PeriodTrafficFile, ANewPeriodOrALongAbsenceStartsAtZeroAndARestartGoesOn) {
    EXPECT_TRUE(Tick(5, MakeDateTime(2026, 12, 20, 8)));
    EXPECT_EQ(Start(), "2026年12月15日");
    EXPECT_EQ(Total(), "5");
    EXPECT_FALSE(Tick(7, MakeDateTime(2027, 1, 14, 23, 59, 59)));
    EXPECT_EQ(Total(), "12");

    // A restart in the same period: another store reads the file from disk and adds to it.
    testing::SystemIniStore restarted;
    const PeriodTick restart = RecordPeriodTraffic(IniFile(restarted, path), 3, MakeDateTime(2027, 1, 14, 23, 59, 59), 15);
    EXPECT_FALSE(restart.started);
    EXPECT_EQ(restart.period, (PeriodTraffic{MakeDateTime(2026, 12, 15), 15}));
    EXPECT_EQ(Total(), "15");

    EXPECT_TRUE(Tick(4, MakeDateTime(2027, 1, 15)));
    EXPECT_EQ(Start(), "2027年1月15日");
    EXPECT_EQ(Total(), "4");
    // Away for five periods: the one the clock is in starts at 0.
    EXPECT_TRUE(Tick(2, MakeDateTime(2027, 6, 20)));
    EXPECT_EQ(Start(), "2027年6月15日");
    EXPECT_EQ(Total(), "2");
    ASSERT_TRUE(ReadPeriodTraffic(file));
    EXPECT_EQ(ReadPeriodTraffic(file)->start, MakeDateTime(2027, 6, 15));
    EXPECT_EQ(ReadPeriodTraffic(file)->k, 2);
}

TEST_F(PeriodTrafficFile, AClockSetBackGoesOnWithTheStoredPeriodAndABadStartBeginsANewOne) {
    Tick(10, MakeDateTime(2026, 12, 15, 0, 0, 30));
    // Set back by a minute, into the previous period: the period does not go backwards.
    const PeriodTick setBack = RecordPeriodTraffic(file, 1, MakeDateTime(2026, 12, 14, 23, 59, 30), 15);
    EXPECT_EQ(setBack.period, (PeriodTraffic{MakeDateTime(2026, 12, 15), 11}));
    EXPECT_FALSE(setBack.started);
    EXPECT_EQ(Start(), "2026年12月15日");
    EXPECT_EQ(Total(), "11");
    // A start more than a period ahead of the clock is no period the user is in.
    Store(file, "其他", "本期开始", "2027年3月15日");
    EXPECT_TRUE(Tick(1, MakeDateTime(2026, 12, 20)));
    EXPECT_EQ(Start(), "2026年12月15日");
    EXPECT_EQ(Total(), "1");
    // Edited by hand into something that is not a date.
    Store(file, "其他", "本期开始", "上个月");
    EXPECT_TRUE(Tick(6, MakeDateTime(2026, 12, 20)));
    EXPECT_EQ(Start(), "2026年12月15日");
    EXPECT_EQ(Total(), "6");
    EXPECT_FALSE(ReadPeriodTraffic(IniFile(store, directory.File("接收.FDB"))));
}

}  // namespace
}  // namespace quorell
