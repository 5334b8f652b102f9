// A year and more of recording, compressed: a few ticks in every local hour and dense ticks at every hour
// boundary, over a leap day, month and year ends and both daylight-saving changes of a real time zone.
// Afterwards every total, slot, count and marker of the four files must equal what the injected samples
// add up to, and the trend window must show those figures.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "app/model/line_chart.h"
#include "history/history_files.h"
#include "history/traffic_history.h"
#include "history/usage_history.h"
#include "runtime/date_time.h"
#include "runtime/value_text.h"
#include "support/history_test_files.h"
#include "support/temp_dir.h"
#include "trend/page_refresh.h"

namespace quorell {
namespace {

using testing::Stored;

// Sets an environment variable for the test and puts the old value back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        setenv(name, value.c_str(), 1);
        tzset();
    }
    ~ScopedEnvironment() {
        if (old_) {
            setenv(name_.c_str(), old_->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
        tzset();
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

// Tens of thousands of writes, each flushed to stable storage, take seconds in memory and minutes on a
// disk: the files go to /dev/shm when the system has it.
std::string FastTemporaryDirectory() {
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path().string();
}

CivilTime LocalCivil(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    return CivilTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::time_t UtcSeconds(int year, int month, int day) {
    std::tm utc{};
    utc.tm_year = year - 1900;
    utc.tm_mon = month - 1;
    utc.tm_mday = day;
    return timegm(&utc);
}

// Days since 1970-01-01 of a civil date, counted here independently of the runtime's own date code.
long long DayNumber(const CivilTime& c) {
    std::tm date{};
    date.tm_year = c.year - 1900;
    date.tm_mon = c.month - 1;
    date.tm_mday = c.day;
    return static_cast<long long>(timegm(&date) / 86400);
}

// 1970-01-01 was a Thursday: the Monday of a day's week is 3 days before it when it is a Thursday.
long long MondayOf(long long dayNumber) { return dayNumber - ((dayNumber % 7 + 7 + 3) % 7); }

// Deterministic samples.
class Samples {
public:
    std::uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    std::int64_t Percent() { return Next() % 50 == 0 ? -1 : static_cast<std::int64_t>(Next() % 101); }
    std::int64_t Traffic() {
        const std::uint32_t r = Next() % 1000;
        if (r == 0) return -static_cast<std::int64_t>(Next() % 300);          // counter went back
        if (r < 3) return 400000 + static_cast<std::int64_t>(Next() % 2000000);  // a burst
        return static_cast<std::int64_t>(Next() % 9000);
    }

private:
    std::uint32_t state_ = 12345;
};

using DateKey = std::tuple<int, int, int>;  // year, month, day

// What a CPU or memory file must hold.
struct ExpectedUsage {
    std::map<int, std::int64_t> allSum, allCount;
    std::map<int, std::pair<DateKey, std::pair<std::int64_t, std::int64_t>>> recent;  // hour -> date, sum, count

    void Add(const CivilTime& c, std::int64_t v) {
        allSum[c.hour] += v;
        allCount[c.hour] += 1;
        const DateKey date{c.year, c.month, c.day};
        auto& slot = recent[c.hour];
        if (slot.first != date) {
            slot = {date, {0, 0}};
        }
        slot.second.first += v;
        slot.second.second += 1;
    }
};

// What a traffic file must hold.
struct ExpectedTraffic {
    std::int64_t record = 0;
    std::string recordTime;
    std::map<int, std::int64_t> years;
    std::map<DateKey, std::int64_t> days;
    std::map<std::pair<int, int>, std::int64_t> months;
    std::map<long long, std::int64_t> weeks;  // by Monday's day number
    std::map<std::pair<DateKey, int>, std::int64_t> hours;
    std::map<int, std::int64_t> allTime;
    std::int64_t ticks = 0;
    CivilTime last;

    void Add(const CivilTime& c, std::int64_t k) {
        if (k > record) {
            record = k;
            recordTime = ToText(MakeDateTime(c));
        }
        const DateKey date{c.year, c.month, c.day};
        years[c.year] += k;
        days[date] += k;
        months[{c.year, c.month}] += k;
        weeks[MondayOf(DayNumber(c))] += k;
        hours[{date, c.hour}] += k;
        allTime[c.hour] += k;
        ++ticks;
        last = c;
    }
    DateKey LastDate() const { return {last.year, last.month, last.day}; }
    std::int64_t Day() const { return days.at(LastDate()); }
    std::int64_t Week() const { return weeks.at(MondayOf(DayNumber(last))); }
    std::int64_t Month() const { return months.at({last.year, last.month}); }
    std::int64_t Year() const { return years.at(last.year); }
};

std::string Text(std::int64_t v) { return ToText(v); }

class LongRun : public ::testing::Test {
protected:
    ScopedEnvironment zone{"TZ", "Europe/Berlin"};
    ScopedEnvironment temporary{"TMPDIR", FastTemporaryDirectory()};
    testing::TempDir directory;
    HistoryFiles files = HistoryFilesIn(directory.Path());
    Samples samples;
    ExpectedUsage cpu, memory;
    ExpectedTraffic receive, send;
    int checkedMidnights = 0;

    void Tick(std::time_t t) {
        const CivilTime civil = LocalCivil(t);
        const DateTime now = MakeDateTime(civil);
        const std::int64_t c = samples.Percent(), m = samples.Percent();
        const std::int64_t r = samples.Traffic(), s = samples.Traffic();
        RecordHourlySample(files.cpu, c, now);
        RecordHourlySample(files.memory, m, now);
        RecordTrafficSample(files.receive, r, now);
        RecordTrafficSample(files.send, s, now);
        cpu.Add(civil, c);
        memory.Add(civil, m);
        receive.Add(civil, r);
        send.Add(civil, s);
        if (civil.hour == 0 && civil.minute == 0 && civil.second <= 1) {
            ExpectPeriodTotals(files.receive, receive);
            ++checkedMidnights;
        }
    }

    static void ExpectPeriodTotals(const std::filesystem::path& file, const ExpectedTraffic& expected) {
        const CivilTime& c = expected.last;
        SCOPED_TRACE(ToText(MakeDateTime(c)));
        EXPECT_EQ(Stored(file, "其他", "今日"), Text(expected.Day()));
        EXPECT_EQ(Stored(file, "其他", "本周"), Text(expected.Week()));
        EXPECT_EQ(Stored(file, "其他", "本月"), Text(expected.Month()));
        EXPECT_EQ(Stored(file, "其他", "今年"), Text(expected.Year()));
    }

    static void ExpectUsageFile(const std::filesystem::path& file, const ExpectedUsage& expected) {
        SCOPED_TRACE(file.filename().string());
        for (int h = 0; h < 24; ++h) {
            const std::string slot = std::to_string(h), count = slot + "_A";
            const auto& [date, recent] = expected.recent.at(h);
            EXPECT_EQ(Stored(file, "今天", slot), std::to_string(std::get<2>(date))) << h;
            EXPECT_EQ(Stored(file, "最近", slot), Text(recent.first)) << h;
            EXPECT_EQ(Stored(file, "最近", count), Text(recent.second)) << h;
            EXPECT_EQ(Stored(file, "全部", slot), Text(expected.allSum.at(h))) << h;
            EXPECT_EQ(Stored(file, "全部", count), Text(expected.allCount.at(h))) << h;
        }
        LineChartModel recentChart, allChart;
        RefreshUsageCharts(file, recentChart, allChart);
        for (int h = 0; h < 24; ++h) {
            const auto& recent = expected.recent.at(h).second;
            EXPECT_EQ(recentChart.Value(h), std::max<double>(0, static_cast<double>(recent.first / recent.second)));
            EXPECT_EQ(allChart.Value(h),
                      std::max<double>(0, static_cast<double>(expected.allSum.at(h) / expected.allCount.at(h))));
        }
    }

    static void ExpectTrafficFile(const std::filesystem::path& file, const ExpectedTraffic& expected) {
        SCOPED_TRACE(file.filename().string());
        const CivilTime& last = expected.last;
        EXPECT_EQ(Stored(file, "其他", "最高"), Text(expected.record));
        EXPECT_EQ(Stored(file, "其他", "时间"), expected.recordTime);
        for (const auto& [year, total] : expected.years) {
            EXPECT_EQ(Stored(file, "其他", std::to_string(year)), Text(total)) << year;
        }
        EXPECT_EQ(Stored(file, "其他", "去年"), std::to_string(last.year));
        EXPECT_EQ(Stored(file, "其他", "上月"), std::to_string(last.month));
        EXPECT_EQ(Stored(file, "其他", "昨天"), std::to_string(last.day));
        const long long monday = MondayOf(DayNumber(last));
        const std::time_t mondayUtc = static_cast<std::time_t>(monday) * 86400;
        std::tm mondayDate{};
        gmtime_r(&mondayUtc, &mondayDate);
        EXPECT_EQ(Stored(file, "其他", "周一"), std::to_string(mondayDate.tm_year + 1900) + "年" +
                                                     std::to_string(mondayDate.tm_mon + 1) + "月" +
                                                     std::to_string(mondayDate.tm_mday) + "日");
        ExpectPeriodTotals(file, expected);
        EXPECT_EQ(Stored(file, "其他", "秒数"), Text(expected.ticks));

        std::int64_t total = 0;
        for (int h = 0; h < 24; ++h) {
            const auto today = expected.hours.find({expected.LastDate(), h});
            const std::int64_t recent = 1 + (today == expected.hours.end() ? 0 : today->second);
            EXPECT_EQ(Stored(file, "最近", std::to_string(h)), Text(recent)) << h;
            EXPECT_EQ(Stored(file, "全部", std::to_string(h)), Text(expected.allTime.at(h))) << h;
            total += expected.allTime.at(h);
        }

        LineChartModel recentChart, allChart;
        const TrafficPageTexts texts = RefreshTrafficCharts(file, recentChart, allChart);
        EXPECT_EQ(texts.record, Text(expected.record) + " Kb");
        EXPECT_EQ(texts.recordTime, expected.recordTime);
        EXPECT_EQ(texts.average, Text(total / expected.ticks) + " Kb");
        EXPECT_EQ(texts.day, Text(expected.Day() / 1024) + " Mb");
        EXPECT_EQ(texts.week, Text(expected.Week() / 1024) + " Mb");
        EXPECT_EQ(texts.month, Text(expected.Month() / 1024) + " Mb");
        EXPECT_EQ(texts.year, Text(expected.Year() / 1024) + " Mb");
        EXPECT_EQ(texts.all, Text(total / 1024) + " Mb");
        EXPECT_DOUBLE_EQ(allChart.Value(12), static_cast<double>(expected.allTime.at(12)) / 1024);
    }
};

TEST_F(LongRun, FourHundredDaysAddUpInEveryFile) {
    // 2011-12-28 to 2013-02-01: two new years, the leap day 2012-02-29, summer time starting on
    // 2012-03-25 (02:00 is skipped) and ending on 2012-10-28 (02:00 to 03:00 happens twice).
    const std::time_t start = UtcSeconds(2011, 12, 28);
    const std::time_t end = UtcSeconds(2013, 2, 1) + 13 * 3600 + 1234;
    for (std::time_t hour = start; hour < end; hour += 3600) {
        // Berlin's offsets are whole hours, so each step is one local hour. Every hour gets a tick at
        // some moment inside it; the day boundary gets its last second and the first two of the next.
        const int localHour = LocalCivil(hour).hour;
        if (localHour == 0) {
            Tick(hour);
            Tick(hour + 1);
        }
        Tick(hour + 2 + static_cast<std::time_t>(samples.Next() % 3596));
        if (localHour == 23) {
            Tick(hour + 3599);
        }
    }
    EXPECT_GE(checkedMidnights, 800);
    EXPECT_TRUE(cpu.recent.size() == 24 && memory.recent.size() == 24);
    EXPECT_EQ(receive.years.size(), 3u);
    EXPECT_TRUE(receive.days.count({2012, 2, 29}));
    // The zone is in force: 01:00 UTC is 03:00 on the spring day, and 02:00 twice on the autumn day.
    EXPECT_EQ(LocalCivil(UtcSeconds(2012, 3, 25) + 3600).hour, 3);
    EXPECT_EQ(LocalCivil(UtcSeconds(2012, 10, 28)).hour, 2);
    EXPECT_EQ(LocalCivil(UtcSeconds(2012, 10, 28) + 3600).hour, 2);

    ExpectUsageFile(files.cpu, cpu);
    ExpectUsageFile(files.memory, memory);
    ExpectTrafficFile(files.receive, receive);
    ExpectTrafficFile(files.send, send);
}

}  // namespace
}  // namespace quorell
