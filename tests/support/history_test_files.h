#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "runtime/ini_file.h"
#include "runtime/ini_store.h"
#include "support/system_ini_store.h"

namespace quorell::testing {

// One key of a history file, read or set the way a person editing the file would see it: through the
// store under test, or (given a path) through a store of its own that reads what is on disk.

inline std::string Stored(const IniFile& file, std::string_view section, std::string_view key) {
    return file.Read(section, key);
}
inline std::string Stored(const std::filesystem::path& file, std::string_view section, std::string_view key) {
    SystemIniStore disk;
    return IniFile(disk, file).Read(section, key);
}

inline void Store(const IniFile& file, std::string_view section, std::string_view key, std::string_view value) {
    file.Write(section, key, value);
}

inline bool IsAbsent(const IniFile& file, std::string_view section, std::string_view key) {
    constexpr std::string_view kSentinel = "<absent>";
    return file.Read(section, key, kSentinel) == kSentinel;
}

}  // namespace quorell::testing
