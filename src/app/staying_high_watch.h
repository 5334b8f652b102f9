#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "app/alert_settings.h"
#include "monitors/monitor_display.h"

namespace quorell {

// What the user is told when a value has stayed high: the notification's title and text, and the short
// line that stands in the main window's title without a tray.
struct StayingHighNotice {
    std::string title;  // "Cpu 持续偏高"
    std::string text;   // "Cpu 使用率 自 15:03:12 起持续高于 90% 已达 60 秒,现为 97%。"
    std::string line;   // "Cpu 持续高于 90%"
};
StayingHighNotice StayingHighNoticeFor(AlertMetric metric, const StayingHighRule& rule, DateTime since,
                                       std::int32_t value);

// The staying-high alerts, fed by the four monitors' ticks. For each value with its rule on, an episode
// begins at the first tick above the rule's line and is told once, at its `seconds`-th tick above; a tick
// at or below the line before that ends it untold. A told episode lasts, however long the value stays
// high, until the value has stayed at or below the line for `seconds` ticks; then the next one may begin.
// Time is counted in the monitors' ticks (one tick, one second of measurement), never by the clock, so a
// clock set back or forward neither ends nor stretches an episode. A tick that could not measure is no
// evidence either way: it breaks both runs.
class StayingHighWatch {
public:
    using ShowAlert = std::function<void(const StayingHighNotice&)>;
    // `show` tells the user of an episode; `over` hears its notice again once the told episode has ended
    // (re-armed, or its rule changed), so that what still stands of it can go.
    StayingHighWatch(ShowAlert show, ShowAlert over) : show_(std::move(show)), over_(std::move(over)) {}

    // Takes the rules as now stored. A rule that changed (switched, or a new line or duration) starts
    // afresh, as if no tick had been seen; an unchanged one goes on with its episode.
    void Reload(const AlertSettings& settings);

    // One tick of `metric`'s monitor.
    void OnTick(AlertMetric metric, const TickReading& tick);

private:
    struct Episode {
        int ticksAbove = 0;      // before the notice: consecutive ticks above the line
        int ticksAtOrBelow = 0;  // after it: consecutive ticks at or below
        bool told = false;
        DateTime since;            // the clock's reading of the episode's first tick
        StayingHighNotice notice;  // once told
    };

    void EndEpisode(AlertMetric metric);

    ShowAlert show_;
    ShowAlert over_;
    std::array<StayingHighRule, kAlertMetricCount> rules_{};
    std::array<Episode, kAlertMetricCount> episodes_{};
};

}  // namespace quorell
