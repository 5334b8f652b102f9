#pragma once

#include <filesystem>
#include <string>

#include "ui_model/line_chart.h"

#include "runtime/ini_file.h"

namespace quorell {

// Fills the two charts of the CPU or memory page from `file`: point k of `recent` is the average of hour
// slot k of "最近" (sum / count, fraction dropped), point k of `allTime` the same from "全部". The
// vertical maximum stays as it is (100). A count stored as 0 shows its point as 0.
void RefreshUsageCharts(const IniFile& file, LineChartModel& recent, LineChartModel& allTime);

// The eight label texts of a traffic page.
struct TrafficPageTexts {
    std::string record;      // "最高" as stored, + " Kb"
    std::string recordTime;  // "时间" as stored
    std::string average;     // all-time total / "秒数", + " Kb"
    std::string day;         // "今日" / 1024, + " Mb"
    std::string week;        // "本周" / 1024, + " Mb"
    std::string month;       // "本月" / 1024, + " Mb"
    std::string year;        // "今年" / 1024, + " Mb"
    std::string all;         // all-time total / 1024, + " Mb"
};

// Fills the two charts of a traffic page from `file` (slot / 1024, in Mb, each point stepping its chart's
// vertical maximum) and returns the label texts. The all-time total is the 64-bit sum of the 24 "全部"
// slots. A "秒数" stored as 0 shows the average as 0 Kb.
TrafficPageTexts RefreshTrafficCharts(const IniFile& file, LineChartModel& recent, LineChartModel& allTime);

}  // namespace quorell
