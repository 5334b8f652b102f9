#include <gtest/gtest.h>

#include <string>

#include "app/layouts/layouts.h"
#include "app/model/controls.h"
#include "app/model/line_chart_control.h"
#include "app/model/window.h"
#include "history/history_files.h"
#include "support/history_test_files.h"
#include "support/temp_dir.h"
#include "trend/trend_window.h"

namespace quorell {
namespace {

using testing::Store;

class TrendWindow : public ::testing::Test {
protected:
    testing::TempDir directory;
    HistoryFiles files = HistoryFilesIn(directory.Path());
    Window window{TrendWindowLayout()};
    TrendStatistics trend{window, files};

    std::string Text(const std::string& label) const { return window.Label(label).Text(); }
    double Point(const std::string& chart, int point) const { return window.LineChart(chart).Chart().Value(point); }
};

TEST_F(TrendWindow, CreationReplacesEveryPlaceholderWithWhatTheFilesHold) {
    EXPECT_EQ(Text("接收_时间"), "2010年10月10日 10点10分10秒");
    EXPECT_EQ(Point("Cpu_最近24小时", 0), 0);

    trend.OnCreated();
    for (const std::string prefix : {"接收_", "发送_"}) {
        EXPECT_EQ(Text(prefix + "最高"), "1 Kb");
        EXPECT_EQ(Text(prefix + "时间"), "Null");
        EXPECT_EQ(Text(prefix + "平均"), "24 Kb");
        for (const char* total : {"今日", "本周", "本月", "今年", "所有"}) {
            EXPECT_EQ(Text(prefix + total), "0 Mb") << prefix << total;
        }
        EXPECT_DOUBLE_EQ(Point(prefix + "最近24小时", 23), 1.0 / 1024);
    }
    for (const char* chart : {"Cpu_最近24小时", "Cpu_全部时间", "内存_最近24小时", "内存_全部时间"}) {
        EXPECT_EQ(Point(chart, 0), 1) << chart;
        EXPECT_EQ(Point(chart, 23), 1) << chart;
    }
}

TEST_F(TrendWindow, EachPageReadsItsOwnFile) {
    Store(files.cpu, "最近", "2", "90");
    Store(files.memory, "最近", "2", "40");
    Store(files.receive, "其他", "最高", "700");
    Store(files.send, "其他", "最高", "300");
    Store(files.send, "全部", "8", "2048");
    trend.OnCreated();
    EXPECT_EQ(Point("Cpu_最近24小时", 2), 90);
    EXPECT_EQ(Point("内存_最近24小时", 2), 40);
    EXPECT_EQ(Text("接收_最高"), "700 Kb");
    EXPECT_EQ(Text("发送_最高"), "300 Kb");
    EXPECT_DOUBLE_EQ(Point("发送_全部时间", 8), 2.0);
    EXPECT_DOUBLE_EQ(Point("接收_全部时间", 8), 1.0 / 1024);
}

TEST_F(TrendWindow, TrafficTimerRefreshesOnlyTheTrafficPages) {
    trend.OnCreated();
    Store(files.cpu, "全部", "5", "77");
    Store(files.receive, "其他", "今日", "5120");
    Store(files.send, "其他", "今日", "10240");
    trend.OnTrafficTimer();
    EXPECT_EQ(Text("接收_今日"), "5 Mb");
    EXPECT_EQ(Text("发送_今日"), "10 Mb");
    EXPECT_EQ(Point("Cpu_全部时间", 5), 1);

    trend.OnBaseTimer();
    EXPECT_EQ(Point("Cpu_全部时间", 5), 77);
}

TEST_F(TrendWindow, BaseTimerRefreshesOnlyTheUsagePages) {
    trend.OnCreated();
    Store(files.memory, "全部", "0", "50");
    Store(files.memory, "全部", "0_A", "2");
    Store(files.receive, "其他", "时间", "2011年6月13日14时5分9秒");
    trend.OnBaseTimer();
    EXPECT_EQ(Point("内存_全部时间", 0), 25);
    EXPECT_EQ(Text("接收_时间"), "Null");
}

}  // namespace
}  // namespace quorell
