#include "trend/trend_window.h"

#include <string>
#include <utility>

#include "ui_model/controls.h"
#include "ui_model/line_chart_control.h"
#include "runtime/value_text.h"
#include "trend/page_refresh.h"

namespace quorell {

TrendStatistics::TrendStatistics(Window& window, HistoryFiles files) : window_(window), files_(std::move(files)) {}

void TrendStatistics::RefreshUsagePage(UsagePage page) {
    const bool cpu = page == UsagePage::Cpu;
    const std::string prefix = cpu ? "Cpu_" : "内存_";
    RefreshUsageCharts(cpu ? files_.cpu : files_.memory, window_.LineChart(Concat(prefix, "最近24小时")).Chart(),
                       window_.LineChart(Concat(prefix, "全部时间")).Chart());
}

void TrendStatistics::RefreshTrafficPage(Direction direction) {
    const bool receive = direction == Direction::Receive;
    const std::string prefix = receive ? "接收_" : "发送_";
    const TrafficPageTexts texts = RefreshTrafficCharts(receive ? files_.receive : files_.send,
                                                        window_.LineChart(Concat(prefix, "最近24小时")).Chart(),
                                                        window_.LineChart(Concat(prefix, "全部时间")).Chart());
    window_.Label(Concat(prefix, "最高")).SetText(texts.record);
    window_.Label(Concat(prefix, "时间")).SetText(texts.recordTime);
    window_.Label(Concat(prefix, "平均")).SetText(texts.average);
    window_.Label(Concat(prefix, "今日")).SetText(texts.day);
    window_.Label(Concat(prefix, "本周")).SetText(texts.week);
    window_.Label(Concat(prefix, "本月")).SetText(texts.month);
    window_.Label(Concat(prefix, "今年")).SetText(texts.year);
    window_.Label(Concat(prefix, "所有")).SetText(texts.all);
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
