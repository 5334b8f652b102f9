#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "runtime/ini_file.h"

namespace quorell {

// Small helpers the history writers share: slot key names and one-key read-modify-write.

// "0".."23" for an hour.
std::string HourSlotKey(int hour);
// "0_A".."23_A".
std::string HourCountKey(int hour);

// The key's stored integer (missing or not a number: 0), read without a default, as the writers do.
std::int64_t ReadStoredInteger(const IniFile& file, std::string_view section, std::string_view key);

// a + b, held at the 64-bit limits instead of wrapping (a hand-edited huge value must not turn negative).
std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b);

// Stores the stored value plus `amount` under the key; returns what it tried to store.
std::int64_t AddToKey(const IniFile& file, std::string_view section, std::string_view key, std::int64_t amount);

}  // namespace quorell
