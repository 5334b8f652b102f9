// A year and more of running, compressed: the four monitors, fed by fake counters and a fake clock,
// tick a few times in every local hour and densely at every day boundary, over a leap day, two new
// years and both daylight-saving changes of a European time zone. Along the way and at the end, every
// total, slot, count and marker of the four history files, and what the trend window shows of them,
// must equal what the injected samples add up to.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "app/layouts/layouts.h"
#include "history/history_files.h"
#include "long_run_expectations.h"
#include "monitors/cpu_monitor.h"
#include "monitors/memory_monitor.h"
#include "monitors/network_monitor.h"
#include "runtime/value_text.h"
#include "sampling/cpu_sampler.h"
#include "sampling/memory_sampler.h"
#include "sampling/network_sampler.h"
#include "support/fake_counters.h"
#include "support/history_test_files.h"
#include "support/system_ini_store.h"
#include "support/temp_dir.h"
#include "trend/trend_window.h"
#include "ui_model/controls.h"
#include "ui_model/line_chart_control.h"
#include "ui_model/window.h"

namespace quorell {
namespace {

using testing::ExpectedTraffic;
using testing::ExpectedUsage;
using testing::Stored;

// The run's time zone belongs to the test, so the run is the same on every system: Central European
// Time, one hour ahead of UTC, two in summer (from 01:00 UTC on the last Sunday of March to 01:00 UTC on
// the last Sunday of October). Times are seconds since 1970-01-01 UTC.
using UtcTime = std::int64_t;
constexpr UtcTime kSecondsPerDay = 86400;

UtcTime UtcSeconds(int year, int month, int day) {
    return testing::DaysFromCivil(year, month, day) * kSecondsPerDay;
}

// 01:00 UTC on the last Sunday of the month (March and October have 31 days).
UtcTime SummerTimeSwitch(int year, int month) {
    const long long lastDay = testing::DaysFromCivil(year, month, 31);
    const long long sinceSunday = (lastDay % 7 + 7 + 4) % 7;  // 1970-01-01 was a Thursday
    return (lastDay - sinceSunday) * kSecondsPerDay + 3600;
}

CivilTime LocalCivil(UtcTime t) {
    const int utcYear = testing::CivilFromDays(t / kSecondsPerDay).year;
    const bool summer = t >= SummerTimeSwitch(utcYear, 3) && t < SummerTimeSwitch(utcYear, 10);
    const UtcTime local = t + (summer ? 7200 : 3600);
    CivilTime civil = testing::CivilFromDays(local / kSecondsPerDay);
    const auto secondOfDay = static_cast<int>(local % kSecondsPerDay);
    civil.hour = secondOfDay / 3600;
    civil.minute = secondOfDay / 60 % 60;
    civil.second = secondOfDay % 60;
    return civil;
}

// Tens of thousands of writes, each flushed to stable storage, take seconds in memory and minutes on a
// disk: the files go to /dev/shm when the system has it.
std::filesystem::path FastTemporaryDirectory() {
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                            : std::filesystem::temp_directory_path();
}

class SteppedClock final : public ClockPort {
public:
    CivilTime LocalNow() const override { return now; }
    CivilTime now;
};

// Deterministic pseudo-random samples.
class Samples {
public:
    std::uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    // A CPU usage 0..99, or nullopt for a failed reading.
    std::optional<std::int32_t> CpuUsage() {
        if (Next() % 50 == 0)
            return std::nullopt;
        return static_cast<std::int32_t>(Next() % 100);
    }
    std::int32_t Load() { return static_cast<std::int32_t>(Next() % 101); }
    // K of one tick: mostly modest, now and then a burst that sets a new record.
    std::int64_t Traffic() {
        if (Next() % 1000 < 3)
            return 400000 + static_cast<std::int64_t>(Next() % 2000000);
        return static_cast<std::int64_t>(Next() % 9000);
    }

private:
    std::uint32_t state_ = 12345;
};

std::string Text(std::int64_t v) {
    return ToText(v);
}
std::string Mb(std::int64_t k) {
    return Text(k / 1024) + " Mb";
}

class LongRun : public ::testing::Test {
protected:
    void SetUp() override {
        interfaces.SetRowCount(2);  // the second row is the watched one on this platform
        network.SelectMonitoredRow();
        receiveMonitor.OnWindowCreated();
        sendMonitor.OnWindowCreated();
        cpuMonitor.OnWindowCreated();
    }

    testing::TempDir directory{FastTemporaryDirectory()};
    testing::SystemIniStore store;
    HistoryFiles files = HistoryFilesIn(store, directory.Path());

    FakeCpuCounters cpuCounters;
    FakeMemoryStatus memoryStatus;
    FakeInterfaceTable interfaces;
    FakePlatformVersion platform;
    SteppedClock clock;

    CpuSampler cpuSampler{cpuCounters};
    MemorySampler memorySampler{memoryStatus};
    NetworkSampler network{interfaces, platform};

    Window cpuWindow{CpuMonitorLayout()};
    Window memoryWindow{MemoryMonitorLayout()};
    Window receiveWindow{ReceiveMonitorLayout()};
    Window sendWindow{SendMonitorLayout()};
    Window trendWindow{TrendWindowLayout()};
    CpuMonitor cpuMonitor{cpuWindow, cpuSampler, clock, files.cpu};
    MemoryMonitor memoryMonitor{memoryWindow, memorySampler, clock, files.memory};
    NetworkMonitor receiveMonitor{receiveWindow, Direction::Receive, network, [] { return std::string("2"); },
                                  clock,         files.receive};
    NetworkMonitor sendMonitor{sendWindow, Direction::Send, network, [] { return std::string("2"); },
                               clock,      files.send};
    TrendStatistics trend{trendWindow, files};

    Samples samples;
    ExpectedUsage cpu, memory;
    ExpectedTraffic receive, send;
    int checkedDayStarts = 0;

    void Tick(UtcTime t) {
        const CivilTime civil = LocalCivil(t);
        clock.now = civil;

        // CPU: the idle share is put half a percent off a whole number, so the usage truncates to it.
        const std::optional<std::int32_t> usage = samples.CpuUsage();
        cpuCounters.failing = !usage;
        if (usage) {
            cpuCounters.Advance((100 - *usage) * 1000 - 500, 100000);
        }
        const std::int32_t load = samples.Load();
        memoryStatus.Set(8ull << 30, (8ull << 30) / 101 * static_cast<std::uint64_t>(101 - load), load);
        // Traffic: k whole K plus a few bytes that do not make another K.
        const std::int64_t in = samples.Traffic(), out = samples.Traffic();
        interfaces.rows[1].receivedBytes += static_cast<std::uint64_t>(in * 1280 + in % 1280);
        interfaces.rows[1].sentBytes += static_cast<std::uint64_t>(out * 1280 + 1279);

        cpuMonitor.OnCpuTick();
        memoryMonitor.OnMemoryTick();
        receiveMonitor.OnNetworkTick();
        sendMonitor.OnNetworkTick();

        // A failed reading is shown as -1 and recorded nowhere.
        ASSERT_EQ(cpuWindow.Label("显示_当前Cpu使用率").Text(), Text(usage.value_or(-1)) + " %");
        ASSERT_EQ(receiveWindow.Label("显示_当前流量").Text(), Text(in) + "K");
        if (usage) {
            cpu.Add(civil, *usage);
        }
        memory.Add(civil, load);
        receive.Add(civil, in);
        send.Add(civil, out);

        if (civil.hour == 0 && civil.minute == 0 && civil.second <= 1) {
            ExpectPeriodTotals(files.receive, receive, "接收_");
            ExpectPeriodTotals(files.send, send, "发送_");
            ++checkedDayStarts;
        }
    }

    void RunFourHundredDays(bool everyHour);

    // The totals in the file and on the trend window's page, as they stand after this tick.
    void ExpectPeriodTotals(const IniFile& file, const ExpectedTraffic& expected, const std::string& page) {
        SCOPED_TRACE(ToText(MakeDateTime(expected.last)));
        EXPECT_EQ(Stored(file, "其他", "今日"), Text(expected.Day()));
        EXPECT_EQ(Stored(file, "其他", "本周"), Text(expected.Week()));
        EXPECT_EQ(Stored(file, "其他", "本月"), Text(expected.Month()));
        EXPECT_EQ(Stored(file, "其他", "今年"), Text(expected.Year()));
        trend.OnTrafficTimer();
        EXPECT_EQ(trendWindow.Label(page + "今日").Text(), Mb(expected.Day()));
        EXPECT_EQ(trendWindow.Label(page + "本周").Text(), Mb(expected.Week()));
        EXPECT_EQ(trendWindow.Label(page + "本月").Text(), Mb(expected.Month()));
        EXPECT_EQ(trendWindow.Label(page + "今年").Text(), Mb(expected.Year()));
    }

    void ExpectUsageFile(const IniFile& file, const ExpectedUsage& expected, const std::string& page) {
        SCOPED_TRACE(page);
        const LineChartModel& recentChart = trendWindow.LineChart(page + "最近24小时").Chart();
        const LineChartModel& allChart = trendWindow.LineChart(page + "全部时间").Chart();
        for (int h = 0; h < 24; ++h) {
            SCOPED_TRACE(h);
            const std::string slot = std::to_string(h), count = slot + "_A";
            const ExpectedUsage::Slot& recent = expected.recent.at(h);
            EXPECT_EQ(Stored(file, "今天", slot), std::to_string(std::get<2>(recent.date)));
            EXPECT_EQ(Stored(file, "全部", slot), Text(expected.allSum.at(h)));
            EXPECT_EQ(Stored(file, "全部", count), Text(expected.allCount.at(h)));
            if (expected.WithinLastDay(h)) {
                EXPECT_EQ(Stored(file, "最近", slot), Text(recent.sum));
                EXPECT_EQ(Stored(file, "最近", count), Text(recent.count));
                EXPECT_EQ(recentChart.Value(h), std::max<double>(0, static_cast<double>(recent.sum / recent.count)));
            } else {
                // Older than a day: cleared, and shown as the readers' default of 1 over 1.
                EXPECT_EQ(Stored(file, "最近", slot), "");
                EXPECT_EQ(recentChart.Value(h), 1.0);
            }
            EXPECT_EQ(allChart.Value(h), static_cast<double>(expected.allSum.at(h) / expected.allCount.at(h)));
        }
    }

    void ExpectTrafficFile(const IniFile& file, const ExpectedTraffic& expected, const std::string& page) {
        SCOPED_TRACE(page);
        const CivilTime& last = expected.last;
        EXPECT_EQ(Stored(file, "其他", "最高"), Text(expected.record));
        EXPECT_EQ(Stored(file, "其他", "时间"), expected.recordTime);
        for (const auto& [year, total] : expected.years) {
            EXPECT_EQ(Stored(file, "其他", std::to_string(year)), Text(total)) << year;
        }
        EXPECT_EQ(Stored(file, "其他", "去年"), std::to_string(last.year));
        EXPECT_EQ(Stored(file, "其他", "上月"), std::to_string(last.month));
        EXPECT_EQ(Stored(file, "其他", "昨天"), std::to_string(last.day));
        EXPECT_EQ(Stored(file, "其他", "周一"), testing::DateText(testing::MondayOf(testing::DayNumber(last))));
        EXPECT_EQ(Stored(file, "其他", "秒数"), Text(expected.ticks));
        for (int h = 0; h < 24; ++h) {
            EXPECT_EQ(Stored(file, "最近", std::to_string(h)), Text(expected.Recent(h))) << h;
            EXPECT_EQ(Stored(file, "全部", std::to_string(h)), Text(expected.allTime.at(h))) << h;
        }

        const std::int64_t total = expected.AllTimeTotal();
        EXPECT_EQ(trendWindow.Label(page + "最高").Text(), Text(expected.record) + " Kb");
        EXPECT_EQ(trendWindow.Label(page + "时间").Text(), expected.recordTime);
        EXPECT_EQ(trendWindow.Label(page + "平均").Text(), Text(total / expected.ticks) + " Kb");
        EXPECT_EQ(trendWindow.Label(page + "所有").Text(), Mb(total));
        EXPECT_EQ(trendWindow.Label(page + "今日").Text(), Mb(expected.Day()));
        EXPECT_EQ(trendWindow.Label(page + "今年").Text(), Mb(expected.Year()));
        const LineChartModel& recentChart = trendWindow.LineChart(page + "最近24小时").Chart();
        const LineChartModel& allChart = trendWindow.LineChart(page + "全部时间").Chart();
        for (int h = 0; h < 24; ++h) {
            EXPECT_DOUBLE_EQ(recentChart.Value(h), static_cast<double>(expected.Recent(h)) / 1024) << h;
            EXPECT_DOUBLE_EQ(allChart.Value(h), static_cast<double>(expected.allTime.at(h)) / 1024) << h;
        }
    }
};

// 2011-12-28 to 2013-02-01: two new years, the leap day 2012-02-29, summer time starting on 2012-03-25
// (02:00 is skipped) and ending on 2012-10-28 (02:00 to 03:00 happens twice). Every day boundary gets
// its last second and the first two of the next day. With `everyHour`, every hour also gets a tick at
// some moment inside it; without, only the days on which summer time starts or ends do, and on every
// other day one hour that moves on each day, so every slot is still written and rolled over.
void LongRun::RunFourHundredDays(bool everyHour) {
    const UtcTime start = UtcSeconds(2011, 12, 28);
    const UtcTime end = UtcSeconds(2013, 2, 1) + 13 * 3600 + 1234;
    for (UtcTime hour = start; hour < end; hour += 3600) {
        // Berlin's offsets are whole hours, so each step is one local hour.
        const CivilTime local = LocalCivil(hour);
        const long long day = testing::DayNumber(local);
        const bool switchDay = day == SummerTimeSwitch(local.year, 3) / kSecondsPerDay ||
                               day == SummerTimeSwitch(local.year, 10) / kSecondsPerDay;
        if (local.hour == 0) {
            Tick(hour);
            Tick(hour + 1);
        }
        if (everyHour || switchDay || day % 24 == local.hour) {
            Tick(hour + 2 + static_cast<UtcTime>(samples.Next() % 3596));
        }
        if (local.hour == 23) {
            Tick(hour + 3599);
        }
        if (HasFatalFailure())
            return;
    }

    // The run covered what it was meant to.
    EXPECT_GE(checkedDayStarts, 800);
    EXPECT_EQ(receive.years.size(), 3u);
    EXPECT_TRUE(receive.days.count({2012, 2, 29}));
    EXPECT_EQ(LocalCivil(UtcSeconds(2012, 3, 25) + 3600).hour, 3);
    EXPECT_EQ(LocalCivil(UtcSeconds(2012, 10, 28)).hour, 2);
    EXPECT_EQ(LocalCivil(UtcSeconds(2012, 10, 28) + 3600).hour, 2);
    EXPECT_EQ(cpu.recent.size(), 24u);

    trend.OnCreated();
    ExpectUsageFile(files.cpu, cpu, "Cpu_");
    ExpectUsageFile(files.memory, memory, "内存_");
    ExpectTrafficFile(files.receive, receive, "接收_");
    ExpectTrafficFile(files.send, send, "发送_");
}

TEST_F(LongRun, FourHundredDaysAddUpInEveryFileAndOnTheTrendWindow) {
    RunFourHundredDays(true);
}

// The same calendar with a tenth of the ticks: each file operation costs far more under an emulator.
TEST_F(LongRun, FourHundredDaysOfDayBoundariesAndSummerTimeSwitchesAddUpToo) {
    RunFourHundredDays(false);
}

}  // namespace
}  // namespace quorell
