#include "history/usage_history.h"

#include <string>

#include "history/history_files.h"
#include "history/history_keys.h"
#include "runtime/ini_file.h"
#include "runtime/value_text.h"

namespace quorell {

void RecordHourlySample(const IniFile& file, std::int64_t value, DateTime now) {
    const int hour = Hour(now);
    const std::string slot = HourSlotKey(hour);
    const std::string count = HourCountKey(hour);
    const std::string today = ToText(static_cast<std::int32_t>(Day(now)));

    // A slot whose stamp is not today's was last filled on an earlier day: start it afresh. Only this
    // slot is cleared, so the other 23 keep their hours and "最近" shows the last 24 hours. The stamp
    // is written last: a tick cut short before it leaves the slot stale, and the next tick clears it
    // again instead of adding today's samples to an old day's sum.
    if (file.Read(kSlotDaySection, slot) != today) {
        file.Write(kRecentSection, slot, std::nullopt);
        file.Write(kRecentSection, count, std::nullopt);
        file.Write(kSlotDaySection, slot, today);
    }
    AddToKey(file, kRecentSection, slot, value);
    AddToKey(file, kRecentSection, count, 1);
    AddToKey(file, kAllTimeSection, slot, value);
    AddToKey(file, kAllTimeSection, count, 1);
}

}  // namespace quorell
