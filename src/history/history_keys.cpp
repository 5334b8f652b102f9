#include "history/history_keys.h"

#include <limits>

#include "history/history_files.h"
#include "runtime/ini_file.h"
#include "runtime/value_text.h"

namespace quorell {

std::string HourSlotKey(int hour) {
    return ToText(static_cast<std::int32_t>(hour));
}

std::string HourCountKey(int hour) {
    return Concat(HourSlotKey(hour), kCountKeySuffix);
}

std::int64_t ReadStoredInteger(const IniFile& file, std::string_view section, std::string_view key) {
    return ToInteger64(file.Read(section, key));
}

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    }
    return sum;
}

std::int64_t AddToKey(const IniFile& file, std::string_view section, std::string_view key, std::int64_t amount) {
    const std::int64_t updated = SaturatingAdd(ReadStoredInteger(file, section, key), amount);
    file.Write(section, key, ToText(updated));
    return updated;
}

}  // namespace quorell
