#pragma once

#include <string_view>

// The names of the controls that the program's logic looks up, declared once: the window layouts create
// the controls under these names and the monitors, the settings, the trend window and the event
// bindings find them by the same constants, so a misspelt name fails to compile. Static decoration
// (captions, strips, group boxes) keeps its plain numbered names in the layouts alone.
namespace quorell::names {

// The main window.
inline constexpr std::string_view kOpenCpuButton = "功能_打开Cpu使用";
inline constexpr std::string_view kOpenMemoryButton = "功能_打开内存使用";
inline constexpr std::string_view kOpenReceiveButton = "功能_打开Lan接收";
inline constexpr std::string_view kOpenSendButton = "功能_打开Lan发送";
inline constexpr std::string_view kOpenTrendButton = "功能_查看统计";
inline constexpr std::string_view kTransparencyBox = "选择_是否透明";
inline constexpr std::string_view kBandwidthBox = "输入_网络带宽";
inline constexpr std::string_view kTrayMenu = "右键菜单";

// Every monitor window.
inline constexpr std::string_view kCloseMark = "功能_关闭窗口";

// The receive and send windows: the menu that chooses the watched interface.
inline constexpr std::string_view kInterfaceMenu = "菜单_网卡";

// The value labels, graph and timer of one monitor window.
struct MonitorNames {
    std::string_view currentLabel;   // the value of this tick
    std::string_view peakLabel;      // the highest value since start
    std::string_view peakTimeLabel;  // when the highest value was last reached
    std::string_view averageLabel;   // the average since start
    std::string_view drawPanel;      // the live graph
    std::string_view timer;          // the 1000 ms tick
};

inline constexpr MonitorNames kCpuMonitor{"显示_当前Cpu使用率", "显示_最高Cpu使用率", "显示_Cpu最高时间",
                                          "显示_平均Cpu使用率", "画板_Cpu",           "时钟_Cpu"};
inline constexpr MonitorNames kMemoryMonitor{"显示_当前内存", "显示_最高内存", "显示_最高时间",
                                             "显示_平均内存", "画板_内存",     "时钟_内存"};
// The receive and send windows share their names.
inline constexpr MonitorNames kNetworkMonitor{"显示_当前流量", "显示_最高流量", "显示_最高时间",
                                              "显示_平均流量", "画板_Lan",      "时钟_Lan"};

// The trend statistics window.
inline constexpr std::string_view kTrendTrafficTimer = "时钟_统计流量";  // 1000 ms: the traffic pages
inline constexpr std::string_view kTrendBaseTimer = "时钟_统计基础";     // 30000 ms: the CPU and memory pages

// One page of the trend window: its two charts, and on the traffic pages its eight value labels.
struct TrendPageNames {
    std::string_view recentChart = {};   // the last 24 hours
    std::string_view allTimeChart = {};  // the whole life of the file
    std::string_view record = {};
    std::string_view recordTime = {};
    std::string_view average = {};
    std::string_view day = {};
    std::string_view week = {};
    std::string_view month = {};
    std::string_view year = {};
    std::string_view all = {};
};

inline constexpr TrendPageNames kTrendCpuPage{"Cpu_最近24小时", "Cpu_全部时间"};
inline constexpr TrendPageNames kTrendMemoryPage{"内存_最近24小时", "内存_全部时间"};
inline constexpr TrendPageNames kTrendReceivePage{"接收_最近24小时", "接收_全部时间", "接收_最高", "接收_时间",
                                                  "接收_平均",       "接收_今日",     "接收_本周", "接收_本月",
                                                  "接收_今年",       "接收_所有"};
inline constexpr TrendPageNames kTrendSendPage{"发送_最近24小时", "发送_全部时间", "发送_最高", "发送_时间",
                                               "发送_平均",       "发送_今日",     "发送_本周", "发送_本月",
                                               "发送_今年",       "发送_所有"};

// The alert settings window: the allowance, its start day, one staying-high rule per measured value (in the
// order Cpu, 内存, 接收, 发送) and the two buttons.
inline constexpr std::string_view kAllowanceBox = "输入_流量上限";
inline constexpr std::string_view kSettlementDayBox = "输入_结算日";
struct AlertRuleNames {
    std::string_view switchBox;   // the check box that turns the rule on
    std::string_view lineBox;     // the line, in % or KB/s
    std::string_view secondsBox;  // how long the value stays above it
};
inline constexpr AlertRuleNames kAlertRules[4] = {{"选择_Cpu提醒", "输入_Cpu高于", "输入_Cpu秒数"},
                                                  {"选择_内存提醒", "输入_内存高于", "输入_内存秒数"},
                                                  {"选择_接收提醒", "输入_接收高于", "输入_接收秒数"},
                                                  {"选择_发送提醒", "输入_发送高于", "输入_发送秒数"}};
inline constexpr std::string_view kAlertsConfirmButton = "功能_确定";
inline constexpr std::string_view kAlertsCancelButton = "功能_取消";

}  // namespace quorell::names
