#pragma once

#include <cstdint>
#include <filesystem>

#include "runtime/date_time.h"

#include "runtime/ini_file.h"

namespace quorell {

// Adds one sample of a CPU or memory monitor (a whole percentage) to the hour slot of `now` in the
// history file `file` ("Cpu.FDB" or "内存.FDB").
//
// `now` is the tick's single reading of the clock: the hour slot and the date stamps all come from it.
// Each slot is stamped with the day of the month on which it was last started ("今天", as always) and
// with that whole date ("日期"; a slot stamped by a copy of the program that keeps only the day is
// judged by its day). When the slot was not started today, it starts afresh: its "最近" sum and count
// are deleted, and so are those of every other slot that is older than the last 24 hours (started
// neither today at an earlier hour nor yesterday at a later one), then the stamps are rewritten. Then
// the sample is added to the slot's sum and count in "最近" and in "全部".
// Sums and counts are 64-bit; write failures are ignored (the next tick starts from what the file holds).
void RecordHourlySample(const IniFile& file, std::int64_t value, DateTime now);

}  // namespace quorell
