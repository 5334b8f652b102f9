#include "history/allowance_period.h"

#include <algorithm>
#include <string>

#include "history/history_files.h"
#include "history/history_keys.h"
#include "runtime/value_text.h"

namespace quorell {

DateTime PeriodStart(DateTime now, int settlementDay) {
    const int day = std::clamp(settlementDay, 1, 28);
    const CivilTime civil = ToCivil(now);
    if (civil.day >= day) {
        return MakeDateTime(civil.year, civil.month, day);
    }
    return civil.month == 1 ? MakeDateTime(civil.year - 1, 12, day) : MakeDateTime(civil.year, civil.month - 1, day);
}

DateTime NextPeriodStart(DateTime start) {
    const CivilTime civil = ToCivil(start);
    // Days 1..28 exist in every month, so the same day of the next month is a real date.
    return civil.month == 12 ? MakeDateTime(civil.year + 1, 1, civil.day) : MakeDateTime(civil.year, civil.month + 1, civil.day);
}

PeriodTick RecordPeriodTraffic(const IniFile& file, std::int64_t k, DateTime now, int settlementDay) {
    const DateTime current = PeriodStart(now, settlementDay);
    const std::string currentText = ToText(current);
    const std::string storedText = file.Read(kOtherSection, kPeriodStartKey);
    PeriodTick tick{{current, 0}, false};
    // Nearly every tick finds the period it is in; only a change of period needs the stored date read.
    if (storedText != currentText) {
        const std::optional<DateTime> stored = TryParseDateTime(storedText);
        if (stored && current.value < stored->value && stored->value <= NextPeriodStart(current).value) {
            tick.period.start = *stored;  // the clock was set back
        } else {
            tick.started = true;
            file.Write(kOtherSection, kPeriodTotalKey, "0");
            file.Write(kOtherSection, kPeriodStartKey, currentText);
        }
    }
    tick.period.k = AddToKey(file, kOtherSection, kPeriodTotalKey, k);
    return tick;
}

std::optional<PeriodTraffic> ReadPeriodTraffic(const IniFile& file) {
    const std::optional<DateTime> start = TryParseDateTime(file.Read(kOtherSection, kPeriodStartKey));
    if (!start) {
        return std::nullopt;
    }
    return PeriodTraffic{*start, ReadStoredInteger(file, kOtherSection, kPeriodTotalKey)};
}

}  // namespace quorell
