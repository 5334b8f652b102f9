#include "app/alert_settings.h"

#include <algorithm>

#include "runtime/value_text.h"

namespace quorell {

namespace {

bool IsWholeNumberText(std::string_view text) {
    return !text.empty() && text.size() <= kAlertFieldMaxDigits &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The number a text holds when it is a whole number of at most eight digits within `range`.
std::optional<std::int64_t> InRange(std::string_view text, FieldRange range) {
    if (!IsWholeNumberText(text)) {
        return std::nullopt;
    }
    const std::int64_t value = ToInteger64(text);
    if (value < range.min || value > range.max) {
        return std::nullopt;
    }
    return value;
}

std::string Refusal(const std::string& field, FieldRange range) {
    return "“" + field + "”须填写 " + ToText(range.min) + " 到 " + ToText(range.max) + " 之间的整数。";
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace

std::string_view AlertMetricName(AlertMetric metric) {
    switch (metric) {
        case AlertMetric::Cpu:
            return "Cpu";
        case AlertMetric::Memory:
            return "内存";
        case AlertMetric::Receive:
            return "接收";
        case AlertMetric::Send:
            return "发送";
    }
    return {};
}

std::string_view AlertMetricUnit(AlertMetric metric) {
    return metric == AlertMetric::Cpu || metric == AlertMetric::Memory ? "%" : "KB/s";
}

std::string AlertSwitchKey(AlertMetric metric) {
    return std::string(AlertMetricName(metric)) + "提醒";
}

std::string AlertLineKey(AlertMetric metric) {
    return std::string(AlertMetricName(metric)) + "高于";
}

std::string AlertSecondsKey(AlertMetric metric) {
    return std::string(AlertMetricName(metric)) + "持续秒数";
}

FieldRange LineRange(AlertMetric metric) {
    return metric == AlertMetric::Cpu || metric == AlertMetric::Memory ? kPercentLineRange : kRateLineRange;
}

std::string AllowanceFieldName() {
    return std::string(kAllowanceKey);
}

std::string SettlementDayFieldName() {
    return std::string(kSettlementDayKey);
}

std::string LineFieldName(AlertMetric metric) {
    return std::string(AlertMetricName(metric)) + "持续高于";
}

std::string SecondsFieldName(AlertMetric metric) {
    return std::string(AlertMetricName(metric)) + "持续秒数";
}

AlertParseResult ParseAlertSettings(const AlertFieldTexts& texts) {
    AlertParseResult result;
    AlertSettings parsed;
    // Each field in the order the window shows them; the first bad one is named.
    const auto take = [&result](const std::string& text, FieldRange range, const std::string& field, auto& target) {
        if (!result.refusal.empty()) {
            return;
        }
        if (const auto value = InRange(Trimmed(text), range)) {
            target = static_cast<std::remove_reference_t<decltype(target)>>(*value);
        } else {
            result.refusal = Refusal(field, range);
        }
    };
    take(texts.allowanceMb, kAllowanceRange, AllowanceFieldName(), parsed.allowanceMb);
    take(texts.settlementDay, kSettlementDayRange, SettlementDayFieldName(), parsed.settlementDay);
    for (AlertMetric metric : kAlertMetrics) {
        StayingHighRule& rule = parsed.Rule(metric);
        rule.enabled = texts.enabled[IndexOf(metric)];
        take(texts.line[IndexOf(metric)], LineRange(metric), LineFieldName(metric), rule.line);
        take(texts.seconds[IndexOf(metric)], kSecondsRange, SecondsFieldName(metric), rule.seconds);
    }
    if (result.refusal.empty()) {
        result.settings = parsed;
    }
    return result;
}

AlertFieldTexts AlertTexts(const AlertSettings& settings) {
    AlertFieldTexts texts;
    texts.allowanceMb = ToText(settings.allowanceMb);
    texts.settlementDay = ToText(static_cast<std::int32_t>(settings.settlementDay));
    for (AlertMetric metric : kAlertMetrics) {
        const StayingHighRule& rule = settings.Rule(metric);
        texts.enabled[IndexOf(metric)] = rule.enabled;
        texts.line[IndexOf(metric)] = ToText(rule.line);
        texts.seconds[IndexOf(metric)] = ToText(static_cast<std::int32_t>(rule.seconds));
    }
    return texts;
}

AlertSettings LoadAlertSettings(const SettingsFile& settings) {
    AlertSettings loaded;
    const auto load = [&settings](std::string_view key, FieldRange range, auto& target) {
        if (const auto value = InRange(Trimmed(settings.Read(kAlertSection, key, "")), range)) {
            target = static_cast<std::remove_reference_t<decltype(target)>>(*value);
        }
    };
    load(kAllowanceKey, kAllowanceRange, loaded.allowanceMb);
    load(kSettlementDayKey, kSettlementDayRange, loaded.settlementDay);
    for (AlertMetric metric : kAlertMetrics) {
        StayingHighRule& rule = loaded.Rule(metric);
        rule.enabled = settings.Read(kAlertSection, AlertSwitchKey(metric), "") == kAlertOn;
        load(AlertLineKey(metric), LineRange(metric), rule.line);
        load(AlertSecondsKey(metric), kSecondsRange, rule.seconds);
    }
    return loaded;
}

bool StoreAlertSettings(const SettingsFile& settings, const AlertSettings& alerts) {
    const AlertFieldTexts texts = AlertTexts(alerts);
    std::vector<std::pair<std::string, std::string>> pairs = {{std::string(kAllowanceKey), texts.allowanceMb},
                                                              {std::string(kSettlementDayKey), texts.settlementDay}};
    for (AlertMetric metric : kAlertMetrics) {
        const std::size_t i = IndexOf(metric);
        pairs.emplace_back(AlertSwitchKey(metric), std::string(texts.enabled[i] ? kAlertOn : kAlertOff));
        pairs.emplace_back(AlertLineKey(metric), texts.line[i]);
        pairs.emplace_back(AlertSecondsKey(metric), texts.seconds[i]);
    }
    return settings.WriteAll(kAlertSection, pairs);
}

}  // namespace quorell
