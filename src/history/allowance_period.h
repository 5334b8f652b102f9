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

// Adds one tick's traffic `k` (K, as the history counts it) to "本期" of a traffic history file, after
// starting a new period at 0 when `now` lies in a later one than "本期开始" names, or "本期开始" is missing or
// unreadable. A clock set back (the period of `now` begins before the stored one) goes on with the stored
// period, unless the stored start lies more than one period ahead: a date that far in the future is not
// the period the user is in. Returns whether a new period was started.
bool RecordPeriodTraffic(const IniFile& file, std::int64_t k, DateTime now, int settlementDay);

// What a traffic file holds of its period; std::nullopt while it has none (or an unreadable one).
struct PeriodTraffic {
    DateTime start;
    std::int64_t k = 0;
};
std::optional<PeriodTraffic> ReadPeriodTraffic(const IniFile& file);

}  // namespace quorell
