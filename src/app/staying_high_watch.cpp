#include "app/staying_high_watch.h"

#include <cstdio>

#include "runtime/value_text.h"

namespace quorell {
namespace {

// "15:03:12".
std::string ClockText(DateTime at) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", Hour(at), Minute(at), Second(at));
    return text;
}

// "90%" or "1024 KB/s".
std::string WithUnit(AlertMetric metric, std::int64_t value) {
    const std::string_view unit = AlertMetricUnit(metric);
    return ToText(value) + (unit == "%" ? "" : " ") + std::string(unit);
}

// "Cpu 使用率", "内存 使用率", "接收 速率", "发送 速率".
std::string ValueName(AlertMetric metric) {
    const bool percentage = metric == AlertMetric::Cpu || metric == AlertMetric::Memory;
    return std::string(AlertMetricName(metric)) + (percentage ? " 使用率" : " 速率");
}

}  // namespace

StayingHighNotice StayingHighNoticeFor(AlertMetric metric, const StayingHighRule& rule, DateTime since,
                                       std::int32_t value) {
    const std::string name(AlertMetricName(metric));
    const std::string line = WithUnit(metric, rule.line);
    return {name + " 持续偏高",
            Concat(ValueName(metric), " 自 ", ClockText(since), " 起持续高于 ", line, " 已达 ", ToText(rule.seconds),
                   " 秒,现为 ", WithUnit(metric, value), "。"),
            name + " 持续高于 " + line};
}

void StayingHighWatch::Reload(const AlertSettings& settings) {
    for (AlertMetric metric : kAlertMetrics) {
        const std::size_t index = IndexOf(metric);
        if (rules_[index] != settings.Rule(metric)) {
            EndEpisode(metric);
            rules_[index] = settings.Rule(metric);
        }
    }
}

void StayingHighWatch::OnTick(AlertMetric metric, const TickReading& tick) {
    const StayingHighRule& rule = rules_[IndexOf(metric)];
    if (!rule.enabled) {
        return;
    }
    Episode& episode = episodes_[IndexOf(metric)];
    if (!tick.value) {
        episode.ticksAbove = 0;
        episode.ticksAtOrBelow = 0;
        return;
    }
    const bool above = *tick.value > rule.line;
    if (episode.told) {
        episode.ticksAtOrBelow = above ? 0 : episode.ticksAtOrBelow + 1;
        if (episode.ticksAtOrBelow >= rule.seconds) {
            EndEpisode(metric);  // re-armed
        }
        return;
    }
    if (!above) {
        episode.ticksAbove = 0;
        return;
    }
    if (episode.ticksAbove == 0) {
        episode.since = tick.at;
    }
    if (++episode.ticksAbove >= rule.seconds) {
        episode.told = true;
        episode.ticksAtOrBelow = 0;
        episode.notice = StayingHighNoticeFor(metric, rule, episode.since, *tick.value);
        show_(episode.notice);
    }
}

void StayingHighWatch::EndEpisode(AlertMetric metric) {
    Episode& episode = episodes_[IndexOf(metric)];
    const bool told = episode.told;
    const StayingHighNotice notice = std::move(episode.notice);
    episode = Episode{};
    if (told && over_) {
        over_(notice);
    }
}

}  // namespace quorell
