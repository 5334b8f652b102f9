#pragma once

#include <cstdint>
#include <filesystem>

#include "runtime/date_time.h"

namespace quorell {

// Adds one sample of a CPU or memory monitor (a whole percentage) to the hour slot of `now` in the
// history file `file` ("Cpu.FDB" or "内存.FDB").
//
// `now` is the tick's single reading of the clock: the hour slot and the day stamp both come from it.
// When the slot's "今天" stamp is not today's day of the month, the slot starts afresh: its "最近" sum
// and count are deleted (only this slot's, so "最近" keeps the last 24 hours), then the stamp is
// rewritten. Then the sample is added to the slot's sum and count in "最近" and in "全部".
// Sums and counts are 64-bit; write failures are ignored (the next tick starts from what the file holds).
void RecordHourlySample(const std::filesystem::path& file, std::int64_t value, DateTime now);

}  // namespace quorell
