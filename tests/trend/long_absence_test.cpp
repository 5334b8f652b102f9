// A day of use, then the program is away for a long time (switched off, or the machine asleep) and
// comes back: the first tick back must start every period that has ended, however its numbers line up
// with the last tick's, and the trend window must show the last 24 hours, not hours of a month ago.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "app/layouts/layouts.h"
#include "history/history_files.h"
#include "history/traffic_history.h"
#include "history/usage_history.h"
#include "runtime/date_time.h"
#include "runtime/value_text.h"
#include "support/history_test_files.h"
#include "support/system_ini_store.h"
#include "support/temp_dir.h"
#include "trend/trend_window.h"
#include "ui_model/controls.h"
#include "ui_model/line_chart_control.h"
#include "ui_model/window.h"

namespace quorell {
namespace {

using testing::Stored;

constexpr std::int64_t kMb = 1024;  // in K

struct Absence {
    const char* name;
    CivilTime back;  // the day of use ends at 2011-06-15 12:30 (a Wednesday)
    bool newYear;
};

void PrintTo(const Absence& absence, std::ostream* out) {
    *out << absence.name;
}

const Absence kAbsences[] = {
    {"exactly one month", {2011, 7, 15, 12, 30, 0}, false},
    {"exactly one year", {2012, 6, 15, 12, 30, 0}, true},
    {"forty days", {2011, 7, 25, 12, 30, 0}, false},
    {"a year and a day", {2012, 6, 16, 12, 30, 0}, true},
};

class LongAbsence : public ::testing::TestWithParam<Absence> {
protected:
    void Tick(const CivilTime& when, std::int64_t cpu, std::int64_t k) {
        RecordHourlySample(files.cpu, cpu, MakeDateTime(when));
        RecordTrafficSample(files.receive, k, MakeDateTime(when));
    }

    testing::TempDir directory{testing::FastTempBase()};
    testing::SystemIniStore store;
    HistoryFiles files = HistoryFilesIn(store, directory.Path());
    Window trendWindow{TrendWindowLayout()};
    TrendStatistics trend{trendWindow, files};
};

TEST_P(LongAbsence, FirstTickBackStartsEveryEndedPeriodAndShowsOnlyTheLastDay) {
    const Absence& absence = GetParam();
    // One tick in each of the last 24 hours before leaving: 50 % and 10 Mb each, 130 Mb of them today.
    for (int hour = 13; hour <= 23; ++hour) {
        Tick({2011, 6, 14, hour, 30, 0}, 50, 10 * kMb);
    }
    for (int hour = 0; hour <= 12; ++hour) {
        Tick({2011, 6, 15, hour, 30, 0}, 50, 10 * kMb);
    }
    ASSERT_EQ(Stored(files.receive, "其他", "今日"), "133120");

    Tick(absence.back, 80, 3 * kMb);
    trend.OnCreated();

    // Every period total starts again; the year only when a new year began.
    for (const char* total : {"今日", "本周", "本月"}) {
        EXPECT_EQ(trendWindow.Label(std::string("接收_") + total).Text(), "3 Mb") << total;
    }
    EXPECT_EQ(trendWindow.Label("接收_今年").Text(), absence.newYear ? "3 Mb" : "243 Mb");
    EXPECT_EQ(trendWindow.Label("接收_所有").Text(), "243 Mb");
    EXPECT_EQ(Stored(files.receive, "其他", "2011"), ToText(std::int64_t{(absence.newYear ? 240 : 243) * kMb}));
    EXPECT_EQ(Stored(files.receive, "其他", "去年"), ToText(std::int32_t{absence.back.year}));
    EXPECT_EQ(Stored(files.receive, "其他", "上月"), ToText(std::int32_t{absence.back.month}));
    EXPECT_EQ(Stored(files.receive, "其他", "昨天"), ToText(std::int32_t{absence.back.day}));

    // The recent hours hold today's traffic alone (every slot starts the day at 1 K); the CPU's hold
    // nothing older than a day (a missing slot shows as 1 %).
    const LineChartModel& recentTraffic = trendWindow.LineChart("接收_最近24小时").Chart();
    const LineChartModel& recentCpu = trendWindow.LineChart("Cpu_最近24小时").Chart();
    const LineChartModel& allCpu = trendWindow.LineChart("Cpu_全部时间").Chart();
    for (int hour = 0; hour < 24; ++hour) {
        SCOPED_TRACE(hour);
        EXPECT_DOUBLE_EQ(recentTraffic.Value(hour), hour == 12 ? (1.0 + 3 * kMb) / kMb : 1.0 / kMb);
        EXPECT_EQ(recentCpu.Value(hour), hour == 12 ? 80.0 : 1.0);
        EXPECT_EQ(allCpu.Value(hour), hour == 12 ? 65.0 : 50.0);
    }
    EXPECT_EQ(Stored(files.cpu, "最近", "12_A"), "1");
    EXPECT_EQ(Stored(files.cpu, "全部", "12_A"), "2");

    // An hour later the day goes on: the totals grow and the hour before stays.
    Tick({absence.back.year, absence.back.month, absence.back.day, 13, 0, 0}, 20, 2 * kMb);
    trend.OnCreated();
    EXPECT_EQ(trendWindow.Label("接收_今日").Text(), "5 Mb");
    EXPECT_EQ(trendWindow.Label("接收_本月").Text(), "5 Mb");
    EXPECT_EQ(recentCpu.Value(12), 80.0);
    EXPECT_EQ(recentCpu.Value(13), 20.0);
    EXPECT_EQ(recentCpu.Value(14), 1.0);
}

std::string AbsenceName(const ::testing::TestParamInfo<Absence>& param) {
    std::string name = param.param.name;
    for (char& c : name) {
        c = c == ' ' ? '_' : c;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Absences, LongAbsence, ::testing::ValuesIn(kAbsences), AbsenceName);

}  // namespace
}  // namespace quorell
