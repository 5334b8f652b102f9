#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "history/history_files.h"

#include "runtime/ini_file.h"

namespace quorell {

// Readers for the trend window. They only read. Every numeric key is read with the default "1" (a
// missing sum reads as 1, a missing count as 1), "时间" with the default "Null"; texts that are not
// numbers read as their leading digits or 0. Values are 64-bit.

using HourSlots = std::array<std::int64_t, kHourSlotCount>;

// The 24 sums and 24 counts of one section ("最近" or "全部") of a CPU or memory file.
struct UsageSlots {
    HourSlots sums{};
    HourSlots counts{};
};
UsageSlots ReadUsageSlots(const IniFile& file, std::string_view section);

// The 24 sums of one section ("最近" or "全部") of a traffic file.
HourSlots ReadTrafficSlots(const IniFile& file, std::string_view section);

// What the trend window shows from the "其他" section of a traffic file.
struct TrafficSummary {
    std::string record;           // "最高", as stored
    std::string recordTime;       // "时间", as stored
    std::int64_t tickCount = 1;   // "秒数"
    std::int64_t dayTotal = 1;    // "今日"
    std::int64_t weekTotal = 1;   // "本周"
    std::int64_t monthTotal = 1;  // "本月"
    std::int64_t yearTotal = 1;   // "今年"
};
TrafficSummary ReadTrafficSummary(const IniFile& file);

}  // namespace quorell
