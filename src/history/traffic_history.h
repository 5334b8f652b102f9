#pragma once

#include <cstdint>
#include <filesystem>

#include "runtime/date_time.h"

#include "runtime/ini_file.h"

namespace quorell {

// Adds one tick of a network monitor (its traffic `k` in K, 1280 bytes; negative values lower the totals)
// to the history file `file` ("接收.FDB" or "发送.FDB"). `now` is the tick's single reading of the clock;
// every date part (year, month, day, hour, the record time, the week) comes from it.
//
// In order: the record ("最高", then "时间" when k is strictly greater); the calendar-year key; the year,
// month, day and week roll-overs (each writes "0" to its total, a new day also "1" to the 24 "最近"
// slots, and then the markers, so that a tick cut short repeats the roll-over; a new year is also a new
// month and day, and a new month a new day, whatever the numbers); "今日", "本周", "本月", "今年" += k;
// "最近"[hour] and "全部"[hour] += k; "秒数" += 1. A new week starts when "周一" (the Monday 00:00 of the
// current week, as date text) is missing or unreadable, lies more than 6 whole days before `now`, or lies
// after `now` (the clock was set back). All totals are 64-bit.
void RecordTrafficSample(const IniFile& file, std::int64_t k, DateTime now);

// The Monday 00:00 of the week that holds `dt`.
DateTime StartOfWeek(DateTime dt);

}  // namespace quorell
