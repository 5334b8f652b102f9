#pragma once

#include <filesystem>
#include <string_view>

#include "runtime/ini_file.h"

namespace quorell {

// The four history files live in the run directory under these names.
inline constexpr std::string_view kCpuHistoryFileName = "Cpu.FDB";
inline constexpr std::string_view kMemoryHistoryFileName = "内存.FDB";
inline constexpr std::string_view kReceiveHistoryFileName = "接收.FDB";
inline constexpr std::string_view kSendHistoryFileName = "发送.FDB";

// Sections. "今天" and "日期" exist only in the CPU and memory files, "其他" only in the traffic files.
inline constexpr std::string_view kSlotDaySection = "今天";   // hour slot -> day of month it was last started
inline constexpr std::string_view kSlotDateSection = "日期";  // hour slot -> full date it was last started
inline constexpr std::string_view kRecentSection = "最近";    // hour slots of the last 24 hours
inline constexpr std::string_view kAllTimeSection = "全部";   // hour slots over the whole life of the file
inline constexpr std::string_view kOtherSection = "其他";     // traffic records, markers and period totals

// Keys of the traffic files' "其他" section. The calendar-year totals are keyed by the year's number.
inline constexpr std::string_view kRecordKey = "最高";
inline constexpr std::string_view kRecordTimeKey = "时间";
inline constexpr std::string_view kYearMarkerKey = "去年";
inline constexpr std::string_view kYearTotalKey = "今年";
inline constexpr std::string_view kMonthMarkerKey = "上月";
inline constexpr std::string_view kMonthTotalKey = "本月";
inline constexpr std::string_view kDayMarkerKey = "昨天";
inline constexpr std::string_view kDayTotalKey = "今日";
inline constexpr std::string_view kWeekMarkerKey = "周一";
inline constexpr std::string_view kWeekTotalKey = "本周";
inline constexpr std::string_view kTickCountKey = "秒数";
// The allowance period: its traffic in K, its first day (date text), and in "接收.FDB" the highest share of
// the allowance ("80", "100") the user was told of in it.
inline constexpr std::string_view kPeriodTotalKey = "本期";
inline constexpr std::string_view kPeriodStartKey = "本期开始";
inline constexpr std::string_view kPeriodNoticeKey = "本期提醒";

// Hour slots are keyed "0".."23" by the local hour of the sample; a slot's sample count is "<slot>_A".
inline constexpr int kHourSlotCount = 24;
inline constexpr std::string_view kCountKeySuffix = "_A";

// `runDirectory` + the file name (a UTF-8 name such as "内存.FDB").
std::filesystem::path HistoryFilePath(const std::filesystem::path& runDirectory, std::string_view fileName);

// The four history files of one run directory.
struct HistoryFiles {
    IniFile cpu;
    IniFile memory;
    IniFile receive;
    IniFile send;
};
HistoryFiles HistoryFilesIn(IniStore& store, const std::filesystem::path& runDirectory);

}  // namespace quorell
