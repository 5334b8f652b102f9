#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorell {

// INI files in the private-profile format: "[section]" lines and "key=value" lines, GBK bytes on disk
// (UTF-8 when the file starts with a UTF-8 byte-order mark), UTF-8 texts in the program.

// The value stored under section/key, or `defaultValue` when the file, the section or the key is
// absent. Leading bytes 1..32 are skipped in the file name, the section and the key; when any of the
// three is then empty, the result is empty and the file is not read. At most 10239 bytes are returned.
std::string ReadIni(const std::filesystem::path& file, std::string_view section, std::string_view key,
                    std::string_view defaultValue = {});

// Stores `value` under section/key. No key (std::nullopt) deletes the whole section; no value deletes
// the key. The file is replaced atomically; on any failure the old file stays byte for byte as it was
// and false is returned. The first write creates the file, never its directory.
bool WriteIni(const std::filesystem::path& file, std::string_view section, std::optional<std::string_view> key,
              std::optional<std::string_view> value);

// Write-behind for every file written through WriteIni: reads see each write at once, and a file is
// replaced once its oldest unsaved change is `delay` old (zero, the default: at every write).
void SetIniWriteBehind(std::chrono::milliseconds delay);
// Replaces every file with unsaved changes; the program calls it before it ends.
bool FlushIniWrites();

}  // namespace quorell
