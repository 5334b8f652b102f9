#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/settings_file.h"

namespace quorell {

// The section of the settings file that holds the allowance and the staying-high alerts.
inline constexpr std::string_view kAlertSection = "提醒设置";
inline constexpr std::string_view kAllowanceKey = "每月流量上限";  // whole MB, 0 = off
inline constexpr std::string_view kSettlementDayKey = "结算日";    // 1..28: the day the period starts
inline constexpr std::string_view kAlertOn = "是";
inline constexpr std::string_view kAlertOff = "否";

// The four measured values an alert can watch, in the order of the monitor windows.
enum class AlertMetric : int { Cpu, Memory, Receive, Send };
inline constexpr std::size_t kAlertMetricCount = 4;
inline constexpr std::array<AlertMetric, kAlertMetricCount> kAlertMetrics = {AlertMetric::Cpu, AlertMetric::Memory,
                                                                            AlertMetric::Receive, AlertMetric::Send};
constexpr std::size_t IndexOf(AlertMetric metric) {
    return static_cast<std::size_t>(metric);
}

// "Cpu", "内存", "接收", "发送": the name the monitor windows give the value.
std::string_view AlertMetricName(AlertMetric metric);
// "%" for the CPU and the memory, "KB/s" for the traffic.
std::string_view AlertMetricUnit(AlertMetric metric);
// The keys of one metric's rule: "<name>提醒" ("是"/"否"), "<name>高于" (the line), "<name>持续秒数".
std::string AlertSwitchKey(AlertMetric metric);
std::string AlertLineKey(AlertMetric metric);
std::string AlertSecondsKey(AlertMetric metric);

// The inclusive range a field accepts, and how many digits its box takes.
struct FieldRange {
    std::int64_t min;
    std::int64_t max;
};
inline constexpr FieldRange kAllowanceRange{0, 99'999'999};  // MB: up to some 95 TB a month
inline constexpr FieldRange kSettlementDayRange{1, 28};      // every month has these days
inline constexpr FieldRange kPercentLineRange{1, 100};
inline constexpr FieldRange kRateLineRange{1, 99'999'999};  // KB/s
inline constexpr FieldRange kSecondsRange{5, 3600};
FieldRange LineRange(AlertMetric metric);
// The most digits a field's text may hold (the longest maximum above).
inline constexpr std::size_t kAlertFieldMaxDigits = 8;

// "Stays above `line` for `seconds` seconds", for one metric; off by default.
struct StayingHighRule {
    bool enabled = false;
    std::int64_t line = 0;  // percent, or KB/s
    int seconds = 60;
    friend bool operator==(const StayingHighRule&, const StayingHighRule&) = default;
};

struct AlertSettings {
    std::int64_t allowanceMb = 0;  // 0: no allowance
    int settlementDay = 1;
    std::array<StayingHighRule, kAlertMetricCount> stayingHigh = {
        StayingHighRule{false, 90, 60}, StayingHighRule{false, 90, 60}, StayingHighRule{false, 1024, 60},
        StayingHighRule{false, 1024, 60}};

    const StayingHighRule& Rule(AlertMetric metric) const { return stayingHigh[IndexOf(metric)]; }
    StayingHighRule& Rule(AlertMetric metric) { return stayingHigh[IndexOf(metric)]; }
    friend bool operator==(const AlertSettings&, const AlertSettings&) = default;
};

// The settings as the window's fields hold them: texts as typed, switches as ticked.
struct AlertFieldTexts {
    std::string allowanceMb;
    std::string settlementDay;
    std::array<bool, kAlertMetricCount> enabled{};
    std::array<std::string, kAlertMetricCount> line;
    std::array<std::string, kAlertMetricCount> seconds;
};

// What the user reads of a field in a refusal: "每月流量上限", "结算日", "Cpu持续高于", "Cpu持续秒数", ...
std::string AllowanceFieldName();
std::string SettlementDayFieldName();
std::string LineFieldName(AlertMetric metric);
std::string SecondsFieldName(AlertMetric metric);

// Either the settings the texts stand for, or the refusal of the first bad field (empty, not a whole
// number, too long, out of its range), naming it and its range.
struct AlertParseResult {
    std::optional<AlertSettings> settings;
    std::string refusal;
};
AlertParseResult ParseAlertSettings(const AlertFieldTexts& texts);
// The texts a window shows for `settings`.
AlertFieldTexts AlertTexts(const AlertSettings& settings);

// The stored settings. A key that is missing or does not hold a whole number in its field's range (a
// hand-edited file) gives that field's default; a switch is on only when stored as exactly "是".
AlertSettings LoadAlertSettings(const SettingsFile& settings);
// Stores every key of the section at once, in one save of the settings file. False when it could not be
// saved (the store reports why).
bool StoreAlertSettings(const SettingsFile& settings, const AlertSettings& alerts);

}  // namespace quorell
