#pragma once

#include <cstdint>
#include <optional>

#include "runtime/date_time.h"
#include "runtime/ini_file.h"

namespace quorell {

// The allowance period runs from the settlement day (1..28) 00:00 local time to the same day next month.

// The start of the period that holds `now`. A settlement day outside 1..28 counts as the nearest of them.
DateTime PeriodStart(DateTime now, int settlementDay);
// The start of the period after the one that starts at `start`: the same day of the next month.
DateTime NextPeriodStart(DateTime start);

// What a traffic file holds of its period: its first day ("本期开始") and its traffic ("本期").
struct PeriodTraffic {
    DateTime start;
    std::int64_t k = 0;
    friend bool operator==(const PeriodTraffic&, const PeriodTraffic&) = default;
};
// std::nullopt while the file has no period (or an unreadable start).
std::optional<PeriodTraffic> ReadPeriodTraffic(const IniFile& file);

// Adds one tick's traffic `k` (K, as the history counts it) to "本期" of a traffic history file, after
// starting a new period at 0 when `now` lies in a later one than "本期开始" names, or "本期开始" is missing or
// unreadable. A clock set back (the period of `now` begins before the stored one) goes on with the stored
// period, unless the stored start lies more than one period ahead: a date that far in the future is not
// the period the user is in. Returns the period after the tick, and whether the tick started it.
struct PeriodTick {
    PeriodTraffic period;
    bool started = false;
};
PeriodTick RecordPeriodTraffic(const IniFile& file, std::int64_t k, DateTime now, int settlementDay);

}  // namespace quorell
