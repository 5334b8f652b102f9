#include <gtest/gtest.h>

#include <string>

#include "app/layouts/layouts.h"
#include "history/history_files.h"
#include "support/history_test_files.h"
#include "support/system_ini_store.h"
#include "support/temp_dir.h"
#include "trend/trend_window.h"
#include "ui_model/controls.h"
#include "ui_model/line_chart_control.h"
#include "ui_model/window.h"

namespace quorell {
namespace {

using testing::Store;

class TrendWindow : public ::testing::Test {
protected:
    testing::TempDir directory;
    testing::SystemIniStore store;
    HistoryFiles files = HistoryFilesIn(store, directory.Path());
    Window window{TrendWindowLayout()};
    TrendStatistics trend{window, files};

    std::string Text(const std::string& label) const { return window.Label(label).Text(); }
    double Point(const std::string& chart, int point) const { return window.LineChart(chart).Chart().Value(point); }
};

TEST_F(TrendWindow, CreationFillsEveryPageFromItsOwnFile) {
    Store(files.cpu, "最近", "2", "90");
    Store(files.memory, "全部", "2", "40");
    Store(files.receive, "其他", "最高", "700");
    Store(files.send, "全部", "8", "2048");
    trend.OnCreated();
    EXPECT_EQ(Point("Cpu_最近24小时", 2), 90);
    EXPECT_EQ(Point("内存_全部时间", 2), 40);
    EXPECT_EQ(Point("内存_最近24小时", 2), 1);
    EXPECT_EQ(Text("接收_最高"), "700 Kb");
    EXPECT_EQ(Text("发送_最高"), "1 Kb");
    EXPECT_EQ(Text("发送_时间"), "Null");
    EXPECT_DOUBLE_EQ(Point("发送_全部时间", 8), 2.0);
    EXPECT_DOUBLE_EQ(Point("接收_全部时间", 8), 1.0 / 1024);
    EXPECT_EQ(Text("发送_所有"), "2 Mb");  // 2048 + 23 missing slots of 1, in whole Mb
}

TEST_F(TrendWindow, EachTimerRefreshesOnlyItsOwnPages) {
    trend.OnCreated();
    Store(files.cpu, "全部", "5", "77");
    Store(files.send, "其他", "今日", "10240");
    trend.OnTrafficTimer();
    EXPECT_EQ(Text("发送_今日"), "10 Mb");
    EXPECT_EQ(Point("Cpu_全部时间", 5), 1);

    Store(files.receive, "其他", "今日", "5120");
    trend.OnBaseTimer();
    EXPECT_EQ(Point("Cpu_全部时间", 5), 77);
    EXPECT_EQ(Text("接收_今日"), "0 Mb");
}

}  // namespace
}  // namespace quorell
