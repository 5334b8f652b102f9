#include "trend/trend_window.h"

#include <string>
#include <utility>

#include "runtime/value_text.h"
#include "trend/page_refresh.h"
#include "ui_model/control_names.h"
#include "ui_model/controls.h"
#include "ui_model/line_chart_control.h"

namespace quorell {

TrendStatistics::TrendStatistics(Window& window, HistoryFiles files) : window_(window), files_(std::move(files)) {}

void TrendStatistics::RefreshUsagePage(UsagePage page) {
    const bool cpu = page == UsagePage::Cpu;
    const names::TrendPageNames& names = cpu ? names::kTrendCpuPage : names::kTrendMemoryPage;
    RefreshUsageCharts(cpu ? files_.cpu : files_.memory, window_.LineChart(names.recentChart).Chart(),
                       window_.LineChart(names.allTimeChart).Chart());
}

void TrendStatistics::RefreshTrafficPage(Direction direction) {
    const bool receive = direction == Direction::Receive;
    const names::TrendPageNames& names = receive ? names::kTrendReceivePage : names::kTrendSendPage;
    const TrafficPageTexts texts =
        RefreshTrafficCharts(receive ? files_.receive : files_.send, window_.LineChart(names.recentChart).Chart(),
                             window_.LineChart(names.allTimeChart).Chart());
    window_.Label(names.record).SetText(texts.record);
    window_.Label(names.recordTime).SetText(texts.recordTime);
    window_.Label(names.average).SetText(texts.average);
    window_.Label(names.day).SetText(texts.day);
    window_.Label(names.week).SetText(texts.week);
    window_.Label(names.month).SetText(texts.month);
    window_.Label(names.year).SetText(texts.year);
    window_.Label(names.all).SetText(texts.all);
}

void TrendStatistics::OnCreated() {
    RefreshUsagePage(UsagePage::Cpu);
    RefreshUsagePage(UsagePage::Memory);
    RefreshTrafficPage(Direction::Receive);
    RefreshTrafficPage(Direction::Send);
}

void TrendStatistics::OnTrafficTimer() {
    RefreshTrafficPage(Direction::Receive);
    RefreshTrafficPage(Direction::Send);
}

void TrendStatistics::OnBaseTimer() {
    RefreshUsagePage(UsagePage::Cpu);
    RefreshUsagePage(UsagePage::Memory);
}

}  // namespace quorell
