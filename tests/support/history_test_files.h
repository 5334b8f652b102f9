#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "runtime/ini_file.h"

namespace quorell::testing {

// One key of a history file, read or set the way a person editing the file would see it.

inline std::string Stored(const std::filesystem::path& file, std::string_view section, std::string_view key) {
    return ReadIni(file, section, key);
}

inline void Store(const std::filesystem::path& file, std::string_view section, std::string_view key,
                  std::string_view value) {
    WriteIni(file, section, key, value);
}

inline bool IsAbsent(const std::filesystem::path& file, std::string_view section, std::string_view key) {
    constexpr std::string_view kSentinel = "<absent>";
    return ReadIni(file, section, key, kSentinel) == kSentinel;
}

}  // namespace quorell::testing
